#pragma once
// Test doubles of the frame's services: they record what a screen showed
// and answer from a script, so that tests never block on a real dialog.
#include "frame/Services.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <vector>

namespace zqvr::test {

class ScriptedMessages : public frame::MessageService {
public:
    frame::MsgResult show(const frame::Message& m) override;
    // Answers given in turn; when none is queued the message's default button answers.
    void queueAnswer(frame::MsgResult r) { answers.push_back(r); }

    std::vector<frame::Message> shown;
    std::deque<frame::MsgResult> answers;
    // Texts shown, in order.
    QStringList texts() const;
    const frame::Message* last() const { return shown.empty() ? nullptr : &shown.back(); }
};

class ScriptedModal : public frame::ModalRunner {
public:
    using Step = std::function<int(QDialog&)>;
    // Each exec takes the next step; it may fill and click the dialog and
    // returns the result. With no step left the dialog is rejected.
    int exec(QDialog& dialog) override;
    void queue(Step s) { steps.push_back(std::move(s)); }
    std::deque<Step> steps;
    QStringList dialogsRun; // objectNames of the dialogs run
};

class ScriptedFiles : public frame::FileChooser {
public:
    QString openFile(QWidget*, const QString&, const QString&, const QString&) override;
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override;
    std::deque<QString> answers; // "" = cancelled
    int asked = 0;
};

// Installs the three doubles for the life of the object and restores the production services after.
class ServiceDoubles {
public:
    ServiceDoubles();
    ~ServiceDoubles();
    std::shared_ptr<ScriptedMessages> messages;
    std::shared_ptr<ScriptedModal> modal;
    std::shared_ptr<ScriptedFiles> files;
};

} // namespace zqvr::test

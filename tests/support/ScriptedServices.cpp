#include "support/ScriptedServices.h"

namespace zqvr::test {

frame::MsgResult ScriptedMessages::show(const frame::Message& m)
{
    shown.push_back(m);
    if (!answers.empty()) {
        const frame::MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    return m.defaultButton;
}

QStringList ScriptedMessages::texts() const
{
    QStringList t;
    for (const auto& m : shown)
        t << m.text;
    return t;
}

int ScriptedModal::exec(QDialog& dialog)
{
    dialogsRun << dialog.objectName();
    if (steps.empty())
        return QDialog::Rejected;
    Step s = std::move(steps.front());
    steps.pop_front();
    return s(dialog);
}

QString ScriptedFiles::openFile(QWidget*, const QString&, const QString&, const QString&)
{
    ++asked;
    if (answers.empty())
        return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedFiles::saveFile(QWidget* p, const QString& c, const QString& d, const QString& f)
{
    return openFile(p, c, d, f);
}

ServiceDoubles::ServiceDoubles()
    : messages(std::make_shared<ScriptedMessages>()), modal(std::make_shared<ScriptedModal>()),
      files(std::make_shared<ScriptedFiles>())
{
    frame::Services::setMessages(messages);
    frame::Services::setModal(modal);
    frame::Services::setFiles(files);
}

ServiceDoubles::~ServiceDoubles()
{
    frame::Services::setMessages(nullptr);
    frame::Services::setModal(nullptr);
    frame::Services::setFiles(nullptr);
}

} // namespace zqvr::test

#pragma once
// The services through which screens talk to the user: messages, modal
// dialogs, file choice. Production implementations use QMessageBox,
// QDialog::exec and QFileDialog; tests install scripted doubles.
#include "frame_export.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace zqvr::frame {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

struct ZQVR_FRAME_EXPORT Message {
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgResult defaultButton = MsgResult::Ok;
};

class ZQVR_FRAME_EXPORT MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgResult show(const Message& m) = 0;
};

class ZQVR_FRAME_EXPORT ModalRunner {
public:
    virtual ~ModalRunner() = default;
    // Runs the dialog modally and returns its result code (QDialog::Accepted/Rejected).
    virtual int exec(QDialog& dialog) = 0;
};

class ZQVR_FRAME_EXPORT FileChooser {
public:
    virtual ~FileChooser() = default;
    // An empty result means the user cancelled.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& dir,
                             const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& dir,
                             const QString& filter) = 0;
};

// The installed services; production ones until a test installs its own.
class ZQVR_FRAME_EXPORT Services {
public:
    static MessageService& messages();
    static ModalRunner& modal();
    static FileChooser& files();
    // Passing nullptr restores the production service.
    static void setMessages(std::shared_ptr<MessageService> s);
    static void setModal(std::shared_ptr<ModalRunner> s);
    static void setFiles(std::shared_ptr<FileChooser> s);
};

// Shorthands.
ZQVR_FRAME_EXPORT MsgResult msgBox(const QString& text, const QString& caption, MsgIcon icon,
                 MsgButtons buttons = MsgButtons::Ok, MsgResult defaultButton = MsgResult::Ok);
// Validation message: exclamation icon, caption "¡ Atención !".
ZQVR_FRAME_EXPORT void msgAtencion(const QString& text);
// Refusal: exclamation icon, caption "¡ Operación no permitida !".
ZQVR_FRAME_EXPORT void msgNoPermitida(const QString& text);
// Yes/No question, question icon, No the default; true only on Yes.
ZQVR_FRAME_EXPORT bool askYesNo(const QString& text, const QString& caption);
enum class DialogResult { Accepted, Cancelled };
// Runs a dialog modally through the installed runner. A frame::Dialog runs its
// load step first and is not shown when that refuses (Cancelled).
ZQVR_FRAME_EXPORT DialogResult runModal(QDialog& dialog);

} // namespace zqvr::frame

#include "frame/Services.h"

#include "frame/Dialog.h"

#include "controls/Grid.h"
#include "controls/ctlSearchDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace zqvr::frame {

namespace {

QMessageBox::StandardButton toStandard(MsgResult r)
{
    switch (r) {
    case MsgResult::Ok: return QMessageBox::Ok;
    case MsgResult::Cancel: return QMessageBox::Cancel;
    case MsgResult::Yes: return QMessageBox::Yes;
    case MsgResult::No: return QMessageBox::No;
    case MsgResult::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

class BoxMessages final : public MessageService {
public:
    MsgResult show(const Message& m) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(m.caption);
        box.setText(m.text);
        switch (m.icon) {
        case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::None: break;
        }
        QMessageBox::StandardButtons buttons;
        switch (m.buttons) {
        case MsgButtons::Ok: buttons = QMessageBox::Ok; break;
        case MsgButtons::OkCancel: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
        case MsgButtons::YesNo: buttons = QMessageBox::Yes | QMessageBox::No; break;
        case MsgButtons::YesNoCancel: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
        case MsgButtons::RetryCancel: buttons = QMessageBox::Retry | QMessageBox::Cancel; break;
        }
        box.setStandardButtons(buttons);
        box.setDefaultButton(toStandard(m.defaultButton));
        switch (box.exec()) {
        case QMessageBox::Yes: return MsgResult::Yes;
        case QMessageBox::No: return MsgResult::No;
        case QMessageBox::Cancel: return MsgResult::Cancel;
        case QMessageBox::Retry: return MsgResult::Retry;
        default: break;
        }
        // Closing the box with its window button counts as its cancelling answer.
        if (m.buttons == MsgButtons::YesNo)
            return MsgResult::No;
        return m.buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
};

class ExecModal final : public ModalRunner {
public:
    int exec(QDialog& dialog) override { return dialog.exec(); }
};

class DialogFiles final : public FileChooser {
public:
    QString openFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }
    QString saveFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    }
};

// The pickers' search dialogs run through the modal service too, so that a
// test's scripted runner answers them instead of a real nested loop.
const bool g_searchRunnerInstalled = [] {
    controls::ctlSearchDialog::setRunner([](QDialog& d) { return Services::modal().exec(d); });
    return true;
}();

// A grid's "Exportar..." asks for its file and reports its failure the same way.
const bool g_gridExportInstalled = [] {
    controls::Grid::setExportServices(
        [](QWidget* parent, const QString& caption, const QString& filter) {
            return Services::files().saveFile(parent, caption, QString(), filter);
        },
        [](const QString& text, const QString& caption) { msgBox(text, caption, MsgIcon::Critical); });
    return true;
}();

std::shared_ptr<MessageService>& messagesSlot()
{
    static std::shared_ptr<MessageService> s;
    return s;
}
std::shared_ptr<ModalRunner>& modalSlot()
{
    static std::shared_ptr<ModalRunner> s;
    return s;
}
std::shared_ptr<FileChooser>& filesSlot()
{
    static std::shared_ptr<FileChooser> s;
    return s;
}

} // namespace

MessageService& Services::messages()
{
    if (!messagesSlot())
        messagesSlot() = std::make_shared<BoxMessages>();
    return *messagesSlot();
}

ModalRunner& Services::modal()
{
    if (!modalSlot())
        modalSlot() = std::make_shared<ExecModal>();
    return *modalSlot();
}

FileChooser& Services::files()
{
    if (!filesSlot())
        filesSlot() = std::make_shared<DialogFiles>();
    return *filesSlot();
}

void Services::setMessages(std::shared_ptr<MessageService> s) { messagesSlot() = std::move(s); }
void Services::setModal(std::shared_ptr<ModalRunner> s) { modalSlot() = std::move(s); }
void Services::setFiles(std::shared_ptr<FileChooser> s) { filesSlot() = std::move(s); }

MsgResult msgBox(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons,
                 MsgResult defaultButton)
{
    return Services::messages().show(Message{text, caption, icon, buttons, defaultButton});
}

void msgAtencion(const QString& text)
{
    msgBox(text, QStringLiteral("¡ Atención !"), MsgIcon::Exclamation);
}

void msgNoPermitida(const QString& text)
{
    msgBox(text, QStringLiteral("¡ Operación no permitida !"), MsgIcon::Exclamation);
}

bool askYesNo(const QString& text, const QString& caption)
{
    return msgBox(text, caption, MsgIcon::Question, MsgButtons::YesNo, MsgResult::No) == MsgResult::Yes;
}

DialogResult runModal(QDialog& dialog)
{
    if (auto* maintenance = qobject_cast<Dialog*>(&dialog); maintenance && !maintenance->Form_Load())
        return DialogResult::Cancelled;
    return Services::modal().exec(dialog) == QDialog::Accepted ? DialogResult::Accepted : DialogResult::Cancelled;
}

} // namespace zqvr::frame

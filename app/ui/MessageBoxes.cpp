#include "app/ui/MessageBoxes.h"

#include "app/core/StringTable.h"
#include "app/ui/ModalRunner.h"

#include <QAbstractButton>

namespace ql708 {

namespace {

// Titles and button captions come from the main window's dialog captions.
QString dialogCaption(const QString &name)
{
    for (const StringEntry &e : StringTable::of(QStringLiteral("frmMain")).entries())
        if (e.section == QLatin1String("dialog") && e.name == name)
            return e.text(activeLanguage());
    return name;
}

// Stored texts end some lines with the two characters backslash and n; show a line break.
QString displayText(QString text) { return text.replace(QLatin1String("\\n"), QLatin1String("\n")); }

void captionButtons(QMessageBox &box)
{
    static const std::pair<QMessageBox::StandardButton, const char *> names[] = {
        {QMessageBox::Ok, "OK"}, {QMessageBox::Yes, "Yes"}, {QMessageBox::No, "No"},
        {QMessageBox::Cancel, "Cancel"}};
    for (const auto &[button, name] : names)
        if (QAbstractButton *b = box.button(button))
            b->setText(dialogCaption(QString::fromLatin1(name)));
}

} // namespace

void showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("QL708"), displayText(text), QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("messageBox"));
    captionButtons(box);
    runModal(box);
}

QMessageBox::StandardButton confirm(QWidget *parent, const QString &text,
                                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Question, dialogCaption(QStringLiteral("Confirm")),
                    displayText(text), buttons, parent);
    box.setObjectName(QStringLiteral("confirmBox"));
    captionButtons(box);
    const auto escape = buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
    box.setEscapeButton(escape);
    const int result = runModal(box);
    switch (result) {
    case QMessageBox::Yes:
    case QMessageBox::No:
    case QMessageBox::Cancel:
        return QMessageBox::StandardButton(result);
    default:
        return escape;
    }
}

} // namespace ql708

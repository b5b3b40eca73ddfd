// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/MessageBoxes.h"

#include "common/StringTable.h"
#include "widgets/ModalRunner.h"

#include <QAbstractButton>

namespace ql708 {

namespace {

QString dialogCaption(const char *name)
{
    return StringTable::of(QStringLiteral("frmMain"))
        .sectionText(QStringLiteral("dialog"), QString::fromLatin1(name), activeLanguage());
}

// Stored texts end some lines with the two characters backslash and n; show a line break.
QString displayText(QString text) { return text.replace(QLatin1String("\\n"), QLatin1String("\n")); }

void captionButtons(QMessageBox &box)
{
    static const std::pair<QMessageBox::StandardButton, const char *> names[] = {
        {QMessageBox::Ok, "OK"},         {QMessageBox::Cancel, "Cancel"},
        {QMessageBox::Yes, "Yes"},       {QMessageBox::No, "No"},
        {QMessageBox::YesToAll, "Yes To All"}, {QMessageBox::NoToAll, "No To All"},
        {QMessageBox::Abort, "Abort"},   {QMessageBox::Retry, "Retry"},
        {QMessageBox::Ignore, "Ignore"}, {QMessageBox::Help, "Help"}};
    for (const auto &[button, name] : names)
        if (QAbstractButton *b = box.button(button))
            b->setText(dialogCaption(name));
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
    QMessageBox box(QMessageBox::Question, dialogCaption("Confirm"), displayText(text), buttons, parent);
    box.setObjectName(QStringLiteral("confirmBox"));
    captionButtons(box);
    const auto escape = buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
    box.setEscapeButton(escape);
    const auto chosen = QMessageBox::StandardButton(runModal(box));
    return chosen != QMessageBox::NoButton && buttons.testFlag(chosen) ? chosen : escape;
}

} // namespace ql708

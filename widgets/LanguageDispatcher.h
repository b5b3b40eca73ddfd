// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/StringTable.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace ql708 {

// Applies a window's table to its controls, found by objectName among the window's own
// controls (not those of other windows it owns): captions, hints, fonts, character sets,
// list items and named properties. Empty texts leave the property as it is.
void applyLanguage(QWidget *window, const StringTable &table, Language lang);

// The control a table entry names: the window itself or one of its own controls, by
// objectName (a dialog or MDI child the window holds has its own table). Null when none is.
QObject *findTableControl(QWidget *window, const QString &name);

// The font family to use for a family the tables name: the family itself when the system
// has it, else a similar one it has, else the system's general font.
QString platformFontFamily(const QString &requested);

// Keeps every open window in the active language: a window attaches itself with its table
// name when it is created, and a language change re-applies every table to every window.
class LanguageDispatcher : public QObject {
    Q_OBJECT
public:
    static LanguageDispatcher &instance();

    // Applies the active language now and again on every change, for the window's lifetime.
    void attach(QWidget *window, const QString &table);
    // Makes lang the active language and re-applies every table to every open window.
    void setLanguage(Language lang);

signals:
    // After the tables were applied; windows re-fetch the texts they built from strings.
    void languageChanged(ql708::Language lang);

private:
    struct Attached {
        QPointer<QWidget> window;
        QString table;
    };
    QList<Attached> m_windows;
};

} // namespace ql708

#pragma once

#include "app/core/StringTable.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace ql708 {

// Applies a window's table to its controls, found by objectName. Empty texts leave the
// property as it is.
void applyLanguage(QWidget *window, const StringTable &table, Language lang);

// Keeps every open window in the active language: a window attaches itself with its table
// name when it is created, and a language change re-applies every table to every window.
class LanguageDispatcher : public QObject {
    Q_OBJECT
public:
    static LanguageDispatcher &instance();

    // Applies the active language now and again on every change, for the window's lifetime.
    void attach(QWidget *window, const QString &table);
    void setLanguage(Language lang);

signals:
    void languageChanged(ql708::Language lang);

private:
    struct Attached {
        QPointer<QWidget> window;
        QString table;
    };
    QList<Attached> m_windows;
};

} // namespace ql708

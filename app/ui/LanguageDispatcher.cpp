#include "app/ui/LanguageDispatcher.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QVariant>

namespace ql708 {

namespace {

QObject *findControl(QWidget *window, const QString &name)
{
    if (window->objectName() == name)
        return window;
    return window->findChild<QObject *>(name);
}

void setCaption(QObject *o, const QString &text)
{
    if (auto *a = qobject_cast<QAction *>(o))
        a->setText(text);
    else if (auto *m = qobject_cast<QMenu *>(o))
        m->setTitle(text);
    else if (auto *b = qobject_cast<QAbstractButton *>(o))
        b->setText(text);
    else if (auto *l = qobject_cast<QLabel *>(o))
        l->setText(text);
    else if (auto *g = qobject_cast<QGroupBox *>(o))
        g->setTitle(text);
    else if (auto *w = qobject_cast<QWidget *>(o))
        w->setWindowTitle(text);
}

void setHint(QObject *o, const QString &text)
{
    if (auto *a = qobject_cast<QAction *>(o))
        a->setToolTip(text);
    else if (auto *w = qobject_cast<QWidget *>(o))
        w->setToolTip(text);
}

} // namespace

void applyLanguage(QWidget *window, const StringTable &table, Language lang)
{
    for (const StringEntry &e : table.entries()) {
        const QString &text = e.text(lang);
        if (text.isEmpty() || e.section == QLatin1String("string"))
            continue;
        if (e.section == QLatin1String("other")) {
            const int dot = e.name.indexOf(QLatin1Char('.'));
            if (QObject *o = findControl(window, e.name.left(dot)); o && dot > 0)
                o->setProperty(e.name.mid(dot + 1).toLatin1().constData(), text);
            continue;
        }
        QObject *o = findControl(window, e.name);
        if (!o)
            continue;
        if (e.section == QLatin1String("caption"))
            setCaption(o, text);
        else if (e.section == QLatin1String("hint"))
            setHint(o, text);
    }
}

LanguageDispatcher &LanguageDispatcher::instance()
{
    static LanguageDispatcher dispatcher;
    return dispatcher;
}

void LanguageDispatcher::attach(QWidget *window, const QString &table)
{
    m_windows.append({window, table});
    applyLanguage(window, StringTable::of(table), activeLanguage());
}

void LanguageDispatcher::setLanguage(Language lang)
{
    setActiveLanguage(lang);
    m_windows.removeIf([](const Attached &a) { return a.window.isNull(); });
    for (const Attached &a : std::as_const(m_windows))
        applyLanguage(a.window, StringTable::of(a.table), lang);
    emit languageChanged(lang);
}

} // namespace ql708

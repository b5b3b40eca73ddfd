// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/LanguageDispatcher.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVariant>
#include <algorithm>

namespace ql708 {

namespace {

// Another window (a dialog it owns, an MDI child) has controls of its own and its own table;
// menus are popup windows but belong to the window.
bool isOtherWindow(const QObject *o)
{
    const auto *w = qobject_cast<const QWidget *>(o);
    return w && ((w->isWindow() && w->windowType() != Qt::Popup) || qobject_cast<const QMdiSubWindow *>(w));
}

QObject *findControl(QObject *root, const QString &name)
{
    for (QObject *c : root->children()) {
        if (isOtherWindow(c))
            continue;
        if (c->objectName() == name)
            return c;
        if (QObject *found = findControl(c, name))
            return found;
    }
    return nullptr;
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

void setFontFamily(QObject *o, const QString &text)
{
    const QStringList family{platformFontFamily(text)};
    if (auto *a = qobject_cast<QAction *>(o)) {
        QFont f = a->font();
        f.setFamilies(family);
        a->setFont(f);
    } else if (auto *w = qobject_cast<QWidget *>(o)) {
        QFont f = w->font();
        f.setFamilies(family);
        w->setFont(f);
    }
}

// Qt picks glyphs by Unicode, so a character set changes nothing; it is kept for reference.
void setCharset(QObject *o, const QString &text) { o->setProperty("fontCharset", text); }

void setListItems(QObject *o, const QString &text)
{
    const QStringList items = listItems(text);
    if (auto *c = qobject_cast<QComboBox *>(o)) {
        // Same choice, other words: the handlers of the box have nothing to react to.
        const QSignalBlocker block(c);
        const int index = c->currentIndex();
        const QString typed = c->currentText();
        c->clear();
        c->addItems(items);
        c->setCurrentIndex(index < c->count() ? index : -1);
        if (index < 0 && c->isEditable())
            c->setEditText(typed);
    } else if (auto *l = qobject_cast<QListWidget *>(o)) {
        const QSignalBlocker block(l);
        const int row = l->currentRow();
        l->clear();
        l->addItems(items);
        l->setCurrentRow(row < l->count() ? row : -1);
    } else if (auto *t = qobject_cast<QTableWidget *>(o)) {
        // A grid's list is its heading row; the grid keeps its shape. A heading is never cut:
        // its column widens to fit it, and never narrows, so the user's sizing stays.
        for (int i = 0; i < items.size() && i < t->columnCount(); ++i) {
            if (QTableWidgetItem *h = t->horizontalHeaderItem(i))
                h->setText(items[i]);
            else
                t->setHorizontalHeaderItem(i, new QTableWidgetItem(items[i]));
            t->setColumnWidth(i, std::max(t->columnWidth(i), t->horizontalHeader()->sectionSizeHint(i)));
        }
    }
}

void setNamedProperty(QObject *o, const QString &property, const QString &text)
{
    const QByteArray name = property.toLatin1();
    if (o->metaObject()->indexOfProperty(name.constData()) < 0) {
        qWarning("string table: %s has no property %s", qPrintable(o->objectName()), name.constData());
        return;
    }
    o->setProperty(name.constData(), text);
}

using Setter = void (*)(QObject *, const QString &);

Setter setterFor(const QString &section)
{
    static const QHash<QString, Setter> setters = {
        {QStringLiteral("caption"), setCaption}, {QStringLiteral("hint"), setHint},
        {QStringLiteral("font"), setFontFamily}, {QStringLiteral("charset"), setCharset},
        {QStringLiteral("list"), setListItems}};
    return setters.value(section);
}

} // namespace

QObject *findTableControl(QWidget *window, const QString &name)
{
    return window->objectName() == name ? window : findControl(window, name);
}

QString platformFontFamily(const QString &requested)
{
    static const QHash<QString, QStringList> similar = {
        {QStringLiteral("MS Sans Serif"),
         {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
          QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")}},
        {QStringLiteral("Tahoma"),
         {QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana"), QStringLiteral("Liberation Sans"),
          QStringLiteral("Arimo")}},
        {QStringLiteral("Microsoft JhengHei UI"),
         {QStringLiteral("Microsoft JhengHei"), QStringLiteral("Noto Sans CJK TC"), QStringLiteral("Noto Sans TC"),
          QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")}},
    };
    const QStringList available = QFontDatabase::families();
    if (available.contains(requested, Qt::CaseInsensitive))
        return requested;
    for (const QString &family : similar.value(requested))
        if (available.contains(family, Qt::CaseInsensitive))
            return family;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

void applyLanguage(QWidget *window, const StringTable &table, Language lang)
{
    for (const StringEntry &e : table.entries()) {
        const QString &text = e.text(lang);
        if (text.isEmpty())
            continue;
        if (e.section == QLatin1String("other")) {
            const int dot = e.name.indexOf(QLatin1Char('.'));
            if (QObject *o = dot > 0 ? findTableControl(window, e.name.left(dot)) : nullptr)
                setNamedProperty(o, e.name.mid(dot + 1), text);
        } else if (const Setter set = setterFor(e.section)) {
            if (QObject *o = findTableControl(window, e.name))
                set(o, text);
        }
    }
}

LanguageDispatcher &LanguageDispatcher::instance()
{
    static LanguageDispatcher dispatcher;
    return dispatcher;
}

void LanguageDispatcher::attach(QWidget *window, const QString &table)
{
    const bool known = std::any_of(m_windows.cbegin(), m_windows.cend(), [&](const Attached &a) {
        return a.window == window && a.table == table;
    });
    if (!known)
        m_windows.append({window, table});
    applyLanguage(window, StringTable::of(table), activeLanguage());
}

void LanguageDispatcher::setLanguage(Language lang)
{
    setActiveLanguage(lang);
    m_windows.removeIf([](const Attached &a) { return a.window.isNull(); });
    const QList<Attached> windows = m_windows; // a window may attach another while it changes
    for (const Attached &a : windows)
        if (a.window)
            applyLanguage(a.window, StringTable::of(a.table), lang);
    emit languageChanged(lang);
}

} // namespace ql708

// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartOptionsDialog.h"

#include "chart/ChartModal.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ql708::chart {

namespace {
template <typename T>
T *named(T *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QComboBox *comboOf(const QStringList &items, int current, const char *name)
{
    auto *c = named(new QComboBox, name);
    c->addItems(items);
    c->setCurrentIndex(current);
    return c;
}

void fontControls(QFormLayout *form, const ChartFont &f, QFontComboBox *&family, QSpinBox *&size, QCheckBox *&bold,
                  const QString &title, const char *names[3])
{
    family = named(new QFontComboBox, names[0]);
    family->setCurrentFont(QFont(f.family));
    size = named(new QSpinBox, names[1]);
    size->setRange(4, 96);
    size->setValue(f.pointSize);
    bold = named(new QCheckBox(QObject::tr("Bold")), names[2]);
    bold->setChecked(f.bold);
    auto *row = new QHBoxLayout;
    row->addWidget(family, 1);
    row->addWidget(size);
    row->addWidget(bold);
    form->addRow(title, row);
}
} // namespace

ChartOptionsDialog::ChartOptionsDialog(const ChartModel &model, QWidget *parent)
    : QDialog(parent), m_look(model.look), m_subsets(model.subsets())
{
    setWindowTitle(tr("Graph Options"));
    // Every subset's look made explicit, so that the pages can edit it.
    m_look.subsetLabels.resize(std::max(m_look.subsetLabels.size(), size_t(m_subsets)));
    m_look.subsetLineTypes.resize(std::max(m_look.subsetLineTypes.size(), size_t(m_subsets)), 0);
    while (m_look.subsetColors.size() < size_t(m_subsets))
        m_look.subsetColors.push_back(defaultSubsetColor(int(m_look.subsetColors.size())));
    tabPages = named(new QTabWidget, "tabPages");
    const ChartBehaviour &b = model.behaviour;
    if (b.allowPage1)
        tabPages->addTab(buildGeneralPage(), tr("Titles"));
    if (b.allowPage2)
        tabPages->addTab(buildStylePage(), tr("Style"));
    if (b.allowSubsetsPage && m_subsets > 0)
        tabPages->addTab(buildSubsetsPage(), tr("Subsets"));
    if (b.allowFontPage)
        tabPages->addTab(buildFontPage(), tr("Fonts"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { collect(); accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabPages);
    layout->addWidget(buttons);
}

QWidget *ChartOptionsDialog::buildGeneralPage()
{
    auto *page = named(new QWidget, "pageGeneral");
    auto *form = new QFormLayout(page);
    edtMainTitle = named(new QLineEdit(m_look.mainTitle), "edtMainTitle");
    edtSubTitle = named(new QLineEdit(m_look.subTitle), "edtSubTitle");
    edtXAxisLabel = named(new QLineEdit(m_look.xAxisLabel), "edtXAxisLabel");
    for (QLineEdit *e : {edtMainTitle, edtSubTitle, edtXAxisLabel})
        e->setMaxLength(ChartModel::kMaxTextLength);
    form->addRow(tr("Main title"), edtMainTitle);
    form->addRow(tr("Subtitle"), edtSubTitle);
    form->addRow(tr("Time axis label"), edtXAxisLabel);
    return page;
}

QWidget *ChartOptionsDialog::buildStylePage()
{
    auto *page = named(new QWidget, "pageStyle");
    auto *form = new QFormLayout(page);
    cboGridStyle = comboOf({tr("Thin"), tr("Thick"), tr("Dotted"), tr("Dashed"), tr("One pixel"), tr("None")},
                           m_look.gridStyle, "cboGridStyle");
    cboViewingStyle = comboOf({tr("Colour"), tr("Monochrome")}, m_look.viewingStyle, "cboViewingStyle");
    btnYAxisColor = named(new QPushButton(tr("Choose...")), "btnYAxisColor");
    paintSwatch(btnYAxisColor, m_look.yAxisColor);
    connect(btnYAxisColor, &QPushButton::clicked, this, [this] { pickColor(m_look.yAxisColor, btnYAxisColor); });
    form->addRow(tr("Grid"), cboGridStyle);
    form->addRow(tr("Viewing style"), cboViewingStyle);
    form->addRow(tr("Level axis colour"), btnYAxisColor);
    return page;
}

QWidget *ChartOptionsDialog::buildSubsetsPage()
{
    auto *page = named(new QWidget, "pageSubsets");
    lstSubsets = named(new QListWidget, "lstSubsets");
    for (int s = 0; s < m_subsets; ++s)
        lstSubsets->addItem(tr("Series %1").arg(s + 1));
    edtSubsetLabel = named(new QLineEdit, "edtSubsetLabel");
    edtSubsetLabel->setMaxLength(ChartModel::kMaxTextLength);
    btnSubsetColor = named(new QPushButton(tr("Choose...")), "btnSubsetColor");
    cboLineType = comboOf({tr("Thin solid"), tr("Dash"), tr("Dot"), tr("Dash dot"), tr("Dash dot dot"),
                           tr("Medium solid"), tr("Thick solid"), tr("Medium dash"), tr("Medium dot")},
                          0, "cboLineType");
    auto *form = new QFormLayout;
    form->addRow(tr("Label"), edtSubsetLabel);
    form->addRow(tr("Colour"), btnSubsetColor);
    form->addRow(tr("Line type"), cboLineType);
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(lstSubsets);
    layout->addLayout(form, 1);
    connect(edtSubsetLabel, &QLineEdit::textEdited, this, [this](const QString &t) {
        if (lstSubsets->currentRow() >= 0)
            m_look.subsetLabels[size_t(lstSubsets->currentRow())] = boundedText(t);
    });
    connect(cboLineType, &QComboBox::activated, this, [this](int i) {
        if (lstSubsets->currentRow() >= 0)
            m_look.subsetLineTypes[size_t(lstSubsets->currentRow())] = i;
    });
    connect(btnSubsetColor, &QPushButton::clicked, this, [this] {
        if (lstSubsets->currentRow() >= 0)
            pickColor(m_look.subsetColors[size_t(lstSubsets->currentRow())], btnSubsetColor);
    });
    connect(lstSubsets, &QListWidget::currentRowChanged, this, &ChartOptionsDialog::showSubset);
    lstSubsets->setCurrentRow(0);
    return page;
}

QWidget *ChartOptionsDialog::buildFontPage()
{
    auto *page = named(new QWidget, "pageFonts");
    auto *form = new QFormLayout(page);
    const char *title[3] = {"cboTitleFont", "spnTitleSize", "chkTitleBold"};
    const char *label[3] = {"cboLabelFont", "spnLabelSize", "chkLabelBold"};
    fontControls(form, m_look.titleFont, cboTitleFont, spnTitleSize, chkTitleBold, tr("Titles"), title);
    fontControls(form, m_look.labelFont, cboLabelFont, spnLabelSize, chkLabelBold, tr("Labels"), label);
    return page;
}

void ChartOptionsDialog::showSubset(int s)
{
    if (s < 0 || s >= m_subsets)
        return;
    edtSubsetLabel->setText(m_look.subsetLabels[size_t(s)]);
    cboLineType->setCurrentIndex(m_look.subsetLineTypes[size_t(s)]);
    paintSwatch(btnSubsetColor, m_look.subsetColors[size_t(s)]);
}

void ChartOptionsDialog::pickColor(quint32 &target, QPushButton *button)
{
    QColorDialog dialog(colorFromPE(target), this);
    dialog.setObjectName(QStringLiteral("colorDialog"));
    if (runChartModal(dialog) != QDialog::Accepted)
        return;
    const QColor c = dialog.selectedColor();
    target = PEargb(255, c.red(), c.green(), c.blue());
    paintSwatch(button, target);
}

void ChartOptionsDialog::paintSwatch(QPushButton *button, quint32 color)
{
    QPixmap swatch(16, 16);
    swatch.fill(colorFromPE(color));
    button->setIcon(QIcon(swatch));
}

void ChartOptionsDialog::collect()
{
    if (edtMainTitle) {
        m_look.mainTitle = boundedText(edtMainTitle->text());
        m_look.subTitle = boundedText(edtSubTitle->text());
        m_look.xAxisLabel = boundedText(edtXAxisLabel->text());
    }
    if (cboGridStyle) {
        m_look.gridStyle = GridStyle(cboGridStyle->currentIndex());
        m_look.viewingStyle = ViewingStyle(cboViewingStyle->currentIndex());
    }
    if (cboTitleFont) {
        m_look.titleFont = {cboTitleFont->currentFont().family(), spnTitleSize->value(), chkTitleBold->isChecked()};
        m_look.labelFont = {cboLabelFont->currentFont().family(), spnLabelSize->value(), chkLabelBold->isChecked()};
    }
}

} // namespace ql708::chart

#include "gui/select/CIcTypeSelectDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/chipdb/CatalogueFile.h"
#include "core/select/ChipSearchModel.h"
#include "gui/select/CChipSearchDlg.h"

namespace vexlor {

namespace {

struct ListSpec {
    ChipList which;
    const char* title;
    const char* name;
};
constexpr ListSpec kLists[] = {
    {ChipList::McuType, "MCU Type", "mcuType"},
    {ChipList::ChipSeries, "Chip Series", "chipSeries"},
    {ChipList::ChipName, "Chip Name", "chipName"},
    {ChipList::Packages, "Packages", "packages"},
};

struct BoxSpec {
    ModeBox which;
    const char* text;
    const char* name;
};
constexpr BoxSpec kBoxes[] = {
    {ModeBox::DisplaySerialNumber, "Display Serial Number", "displaySerialNumber"},
    {ModeBox::MassProduction, "Mass Production Mode", "massProductionMode"},
    {ModeBox::ProductionLimit, "Production Limit :", "productionLimit"},
    {ModeBox::ExHvIspProgram, "EXHV ISP Program", "exhvIspProgram"},
    {ModeBox::IspProgram, "ISP Program", "ispProgram"},
    {ModeBox::WholeChipErase, "Whole Chip Erase", "wholeChipErase"},
};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CIcTypeSelectDlg::CIcTypeSelectDlg(ReadChipXml& document, Operator& op, QWidget* parent)
    : QDialog(parent), operator_(op), model_(document, op) {
    setWindowTitle("IC Type Select");
    setObjectName("icTypeSelect");
    buildWidgets();
    connectWidgets();
}

void CIcTypeSelectDlg::buildWidgets() {
    auto* listsRow = new QHBoxLayout;
    for (const ListSpec& spec : kLists) {
        auto* group = new QGroupBox(spec.title, this);
        group->setObjectName(QString(spec.name) + "Group");
        auto* label = new QLabel(group);
        label->setObjectName(QString(spec.name) + "Label");
        auto* list = new QListWidget(group);
        list->setObjectName(spec.name);
        list->setMinimumWidth(150);
        list->setMinimumHeight(220);
        auto* column = new QVBoxLayout(group);
        column->addWidget(label);
        column->addWidget(list, 1);
        listsRow->addWidget(group, 1);
        lists_[static_cast<std::size_t>(spec.which)] = list;
        listLabels_[static_cast<std::size_t>(spec.which)] = label;
        if (spec.which == ChipList::Packages) {
            packagesGroup_ = group;
        }
    }

    seriesValue_ = new QLabel(this);
    seriesValue_->setObjectName("seriesValue");
    icTypeValue_ = new QLabel(this);
    icTypeValue_->setObjectName("icTypeValue");
    auto* chosenRow = new QHBoxLayout;
    chosenRow->addWidget(new QLabel("Series :", this));
    chosenRow->addWidget(seriesValue_);
    chosenRow->addSpacing(40);
    chosenRow->addWidget(new QLabel("IC Type :", this));
    chosenRow->addWidget(icTypeValue_);
    chosenRow->addStretch(1);

    for (const BoxSpec& spec : kBoxes) {
        auto* check = new QCheckBox(spec.text, this);
        check->setObjectName(spec.name);
        boxes_[static_cast<std::size_t>(spec.which)] = check;
    }
    count_ = new QLineEdit(this);
    count_->setObjectName("productionLimitCount");
    count_->setMaxLength(8);
    count_->setFixedWidth(110);
    count_->setValidator(new QIntValidator(0, 99999999, count_));
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(box(ModeBox::ProductionLimit));
    limitRow->addWidget(count_);
    limitRow->addStretch(1);
    auto* modes = new QGridLayout;
    modes->addWidget(box(ModeBox::DisplaySerialNumber), 0, 0);
    modes->addWidget(box(ModeBox::MassProduction), 1, 0);
    modes->addLayout(limitRow, 2, 0);
    modes->addWidget(box(ModeBox::ExHvIspProgram), 0, 1);
    modes->addWidget(box(ModeBox::IspProgram), 1, 1);
    modes->addWidget(box(ModeBox::WholeChipErase), 2, 1);
    modes->setColumnMinimumWidth(0, 320);
    modes->setColumnStretch(2, 1);

    search_ = new QPushButton("Search", this);
    search_->setObjectName("search");
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("ok");
    ok_->setDefault(true);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(search_);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listsRow, 1);
    layout->addLayout(chosenRow);
    layout->addLayout(modes);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CIcTypeSelectDlg::connectWidgets() {
    for (const ListSpec& spec : kLists) {
        connect(list(spec.which), &QListWidget::currentRowChanged, this,
                [this, which = spec.which](int row) { onListRow(which, row); });
    }
    for (const BoxSpec& spec : kBoxes) {
        connect(box(spec.which), &QCheckBox::clicked, this, [this, which = spec.which](bool on) {
            model_.clickMode(which, on);
            render();
        });
    }
    connect(count_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.editCount(text.toStdString());
        render();
    });
    connect(search_, &QPushButton::clicked, this, &CIcTypeSelectDlg::onSearch);
    connect(ok_, &QPushButton::clicked, this, &CIcTypeSelectDlg::onOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool CIcTypeSelectDlg::begin(std::int32_t chipListSelector,
                             const std::optional<CurrentChoice>& current) {
    if (!model_.open(chipListSelector, current)) {
        return false;
    }
    // Without packages the dialog closes up over the column it does not show.
    packagesGroup_->setVisible(model_.packagesShown());
    render();
    return true;
}

std::optional<IcTypeSelection> CIcTypeSelectDlg::run(std::int32_t chipListSelector,
                                                     const std::optional<CurrentChoice>& current) {
    if (!begin(chipListSelector, current) || exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return model_.selection();
}

void CIcTypeSelectDlg::onListRow(ChipList which, int row) {
    if (row < 0) {
        return;
    }
    switch (which) {
        case ChipList::McuType:
            model_.selectMcuType(row);
            break;
        case ChipList::ChipSeries:
            model_.selectChipSeries(row);
            break;
        case ChipList::ChipName:
            model_.selectChipName(row);
            break;
        case ChipList::Packages:
            model_.selectPackage(row);
            break;
    }
    render();
}

std::string CIcTypeSelectDlg::runChipSearch() {
    CChipSearchDlg search(
        CatalogueFilePath(model_.document().baseDirectory(), model_.chipListSelector()), this);
    search.exec();
    return search.searchText();
}

void CIcTypeSelectDlg::onSearch() {
    const std::string text = runChipSearch();
    const auto catalogue =
        CatalogueFilePath(model_.document().baseDirectory(), model_.chipListSelector());
    if (const std::optional<ChipPath> found = LookUpSearchedChip(catalogue, text, operator_)) {
        model_.jumpTo(found->typeIndex, found->seriesIndex, found->nameIndex);
        render();
    }
}

void CIcTypeSelectDlg::onOk() {
    if (model_.accept()) {
        accept();
    } else {
        render();
    }
}

void CIcTypeSelectDlg::renderList(ChipList which) {
    QListWidget* widget = list(which);
    const QSignalBlocker block(widget);
    const auto& items = model_.lists().items(which);
    bool same = widget->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < widget->count(); ++i) {
        same = widget->item(i)->text() == qt(items[static_cast<std::size_t>(i)]);
    }
    if (!same) {
        widget->clear();
        for (const std::string& item : items) {
            widget->addItem(qt(item));
        }
    }
    widget->setCurrentRow(model_.lists().selection(which));
}

void CIcTypeSelectDlg::render() {
    for (const ListSpec& spec : kLists) {
        renderList(spec.which);
    }
    const IcTypeSelectLabels& labels = model_.labels();
    listLabels_[static_cast<std::size_t>(ChipList::McuType)]->setText(qt(labels.mcuType));
    listLabels_[static_cast<std::size_t>(ChipList::ChipSeries)]->setText(qt(labels.chipSeries));
    listLabels_[static_cast<std::size_t>(ChipList::ChipName)]->setText(qt(labels.chipName));
    listLabels_[static_cast<std::size_t>(ChipList::Packages)]->setText(qt(labels.package));
    seriesValue_->setText(qt(labels.seriesValue));
    icTypeValue_->setText(qt(labels.icTypeValue));

    const ModeControls& controls = model_.modes().controls();
    for (const BoxSpec& spec : kBoxes) {
        box(spec.which)->setChecked(controls[spec.which].checked);
        box(spec.which)->setEnabled(controls[spec.which].enabled);
    }
    count_->setEnabled(controls.countEnabled);
    if (count_->text() != qt(controls.countText)) {
        const QSignalBlocker block(count_);
        count_->setText(qt(controls.countText));
    }
}

}  // namespace vexlor

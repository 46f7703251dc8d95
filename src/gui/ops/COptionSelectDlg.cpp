#include "gui/ops/COptionSelectDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexlor {

namespace {

// Index 0 is each group's first button; a hidden pair (-1) has neither checked.
void check(QRadioButton* first, QRadioButton* second, std::int32_t value) {
    QButtonGroup* group = first->group();
    group->setExclusive(false);
    first->setChecked(value == 0);
    second->setChecked(value == 1);
    group->setExclusive(true);
}

}  // namespace

COptionSelectDlg::COptionSelectDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("OptionSelect");
    setWindowTitle("Option Select");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    unprotect_ = addRadio("Unprotect", "Unprotect");
    protect_ = addRadio("Protect", "Protect");
    fast_ = addRadio("Fast mode", "FastMode");
    dual_ = addRadio("Dual mode", "DualMode");
    clockDisable_ = addRadio("32KHz disable", "Clock32kDisable");
    clockEnable_ = addRadio("32KHz enable", "Clock32kEnable");
    const std::pair<QRadioButton*, QRadioButton*> rows[] = {
        {unprotect_, protect_}, {fast_, dual_}, {clockDisable_, clockEnable_}};
    int row = 0;
    for (auto [first, second] : rows) {
        // Each pair is its own exclusive group.
        auto* group = new QButtonGroup(this);
        group->addButton(first);
        group->addButton(second);
        grid->addWidget(first, row, 0);
        grid->addWidget(second, row, 1);
        ++row;
    }
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("OK");
    ok_->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const auto onClick = [this](QRadioButton* button, std::int32_t OptionChoices::*choice,
                                std::int32_t value) {
        connect(button, &QRadioButton::clicked, this,
                [this, choice, value] { choices_.*choice = value; });
    };
    onClick(unprotect_, &OptionChoices::protect, 0);
    onClick(protect_, &OptionChoices::protect, 1);
    onClick(fast_, &OptionChoices::mode, 0);
    onClick(dual_, &OptionChoices::mode, 1);
    onClick(clockDisable_, &OptionChoices::clock, 0);
    onClick(clockEnable_, &OptionChoices::clock, 1);
    setChoices(choices_);
}

QRadioButton* COptionSelectDlg::addRadio(const char* text, const char* name) {
    auto* button = new QRadioButton(text, this);
    button->setObjectName(name);
    return button;
}

void COptionSelectDlg::setChoices(const OptionChoices& choices) {
    choices_ = choices;
    const bool clockShown = choices.clock != -1;
    clockDisable_->setVisible(clockShown);
    clockEnable_->setVisible(clockShown);
    clockDisable_->setEnabled(clockShown);
    clockEnable_->setEnabled(clockShown);
    const bool modeShown = choices.mode != -1;
    fast_->setVisible(modeShown);
    dual_->setVisible(modeShown);
    fast_->setEnabled(modeShown);
    dual_->setEnabled(modeShown);
    if (choices.protect != -1) {
        unprotect_->setEnabled(true);
    }
    check(unprotect_, protect_, choices.protect);
    check(fast_, dual_, choices.mode);
    check(clockDisable_, clockEnable_, choices.clock);
    adjustSize();
}

bool QtOptionSelect::run(OptionChoices& choices) {
    COptionSelectDlg dialog(parent_);
    dialog.setChoices(choices);
    const bool ok = dialog.exec() == QDialog::Accepted;
    choices = dialog.choices();
    return ok;
}

}  // namespace vexlor

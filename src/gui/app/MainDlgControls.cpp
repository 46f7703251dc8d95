#include "gui/app/MainDlgControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/ControlId.h"
#include "gui/app/LogEdit.h"
#include "gui/app/WidgetLook.h"

namespace vexlor::gui {

namespace {

constexpr int kPictureWidth = 244;
constexpr int kPictureHeight = 180;

class ControlMaker {
  public:
    ControlMaker(QWidget* surface, MainDlgControls& controls)
        : surface_(surface), controls_(controls) {}

    template <typename Widget>
    Widget* make(ControlId id, Widget* widget, const char* name) {
        widget->setObjectName(name);
        controls_.byId.insert(static_cast<int>(id), widget);
        return widget;
    }
    QPushButton* button(ControlId id, const char* text, const char* name) {
        return make(id, new QPushButton(text, surface_), name);
    }
    QPushButton* operationButton(ControlId id, const char* text, const char* name, int height) {
        QPushButton* made = button(id, text, name);
        made->setMinimumSize(120, height);
        return made;
    }
    QCheckBox* fuseBox(ControlId id, const char* text, const char* name) {
        QCheckBox* box = make(id, new QCheckBox(text, surface_), name);
        // The boxes show the job's option bits; Set Protect and Load File change them.
        // They only show: no click, no focus, no hover highlight.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setAttribute(Qt::WA_Hover, false);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    QLineEdit* readOnlyEdit(ControlId id, const char* name) {
        QLineEdit* edit = make(id, new QLineEdit(surface_), name);
        edit->setReadOnly(true);
        return edit;
    }
    QLabel* label(const char* text, const char* name) {
        auto* made = new QLabel(text, surface_);
        made->setObjectName(name);
        return made;
    }
    QLabel* label(ControlId id, const char* text, const char* name) {
        return make(id, new QLabel(text, surface_), name);
    }

  private:
    QWidget* surface_;
    MainDlgControls& controls_;
};

QLayout* operationColumn(ControlMaker& make) {
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->addWidget(make.operationButton(ControlId::Auto, "Auto", "Auto", 40));
    column->addWidget(make.operationButton(ControlId::BlankCheck, "Blank check", "BlankCheck", 40));
    column->addWidget(make.operationButton(ControlId::Program, "Program", "Program", 40));
    column->addWidget(make.operationButton(ControlId::Verify, "Verify", "Verify", 40));
    column->addWidget(make.operationButton(ControlId::Read, "Read", "Read", 40));
    column->addWidget(make.operationButton(ControlId::WriterTest, "Writer Test", "WriterTest", 40));
    column->addStretch(1);
    column->addWidget(
        make.operationButton(ControlId::SmartOption, "Smart Option", "SmartOption", 32));
    return column;
}

QLayout* jobGrid(ControlMaker& make, MainDlgControls& controls) {
    controls.chipName = make.readOnlyEdit(ControlId::ChipName, "ChipName");
    controls.chipName->setMinimumWidth(160);
    controls.filePath = make.readOnlyEdit(ControlId::FilePath, "FilePath");
    controls.checksum = make.readOnlyEdit(ControlId::Checksum, "Checksum");
    controls.checksum->setFixedWidth(80);
    controls.checksum->setAlignment(Qt::AlignCenter);
    QFont bold = controls.checksum->font();
    bold.setBold(true);
    controls.checksum->setFont(bold);

    auto* grid = new QGridLayout;
    grid->addWidget(make.label("Chip Name : ", "ChipNameLabel"), 0, 0);
    grid->addWidget(controls.chipName, 0, 1);
    grid->addWidget(make.label(ControlId::ChecksumLabel, "Checksum :  ", "ChecksumLabel"), 0, 2);
    grid->addWidget(controls.checksum, 0, 3);
    grid->addWidget(make.label("File : ", "FileLabel"), 1, 0);
    grid->addWidget(controls.filePath, 1, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    return grid;
}

QWidget* logArea(QWidget* surface, ControlMaker& make, MainDlgControls& controls) {
    controls.log = make.make(ControlId::Log, new LogEdit(surface), "Log");
    controls.logArea = new QStackedWidget(surface);
    controls.logArea->setObjectName("LogArea");
    controls.logArea->addWidget(controls.log);
    // The view keeps its row length under the log's control id, the control it covers.
    controls.hexView = new CMiniHexEditView(controls.logArea, static_cast<int>(ControlId::Log));
    controls.hexView->setObjectName("HexView");
    HexViewOptions hexOptions;
    hexOptions.wideAddress = true;  // chip data reaches past 0xFFFF
    controls.hexView->setOptions(hexOptions);
    controls.logArea->addWidget(controls.hexView);
    return controls.logArea;
}

QWidget* fuseGroup(QWidget* surface, ControlMaker& make) {
    auto* fuse = make.make(ControlId::FuseGroup, new QGroupBox("Fuse", surface), "Fuse");
    auto* grid = new QGridLayout(fuse);
    grid->addWidget(make.fuseBox(ControlId::Unprotect, "Unprotect", "Unprotect"), 0, 0);
    grid->addWidget(make.fuseBox(ControlId::Protect, "Protect", "Protect"), 0, 1);
    grid->addWidget(make.fuseBox(ControlId::FastMode, "Fast mode", "FastMode"), 1, 0);
    grid->addWidget(make.fuseBox(ControlId::DualMode, "Dual mode", "DualMode"), 1, 1);
    grid->addWidget(make.fuseBox(ControlId::Clock32kDisable, "32KHz disable", "Clock32kDisable"), 2,
                    0);
    grid->addWidget(make.fuseBox(ControlId::Clock32kEnable, "32KHz enable", "Clock32kEnable"), 2,
                    1);
    return fuse;
}

QWidget* rightPanel(QWidget* surface, ControlMaker& make, MainDlgControls& controls) {
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(fuseGroup(surface, make));
    column->addSpacing(6);
    for (auto [id, name] : {std::pair{ControlId::EraseModeLabel, "EraseModeLabel"},
                            std::pair{ControlId::IspModeLabel, "IspModeLabel"},
                            std::pair{ControlId::JobModeLabel, "JobModeLabel"}}) {
        QLabel* label = make.label(id, "", name);
        SetBoldText(label, QColor(0x0b, 0x4f, 0x9c));
        column->addWidget(label);
    }
    column->addStretch(1);
    column->addWidget(
        make.button(ControlId::PinPlacement, "Program Pin Placement", "ProgramPinPlacement"));
    controls.picture = make.make(ControlId::PinPicture, new QLabel(surface), "PinPicture");
    controls.picture->setMinimumWidth(kPictureWidth);
    controls.picture->setFixedHeight(kPictureHeight);
    controls.picture->setFrameShape(QFrame::StyledPanel);
    controls.picture->setAlignment(Qt::AlignCenter);
    SetBackground(controls.picture, Qt::white);
    controls.picture->setCursor(Qt::PointingHandCursor);
    column->addWidget(controls.picture);

    auto* panel = new QWidget(surface);
    panel->setObjectName("RightPanel");
    panel->setLayout(column);
    panel->setFixedWidth(kPictureWidth + 12);
    return panel;
}

}  // namespace

MainDlgControls LayOutMainDlgControls(QWidget* surface) {
    MainDlgControls controls;
    ControlMaker make(surface, controls);
    auto* middle = new QVBoxLayout;
    middle->addLayout(jobGrid(make, controls));
    middle->addWidget(logArea(surface, make, controls), 1);

    auto* layout = new QHBoxLayout(surface);
    layout->setContentsMargins(10, 10, 10, 6);
    layout->setSpacing(10);
    layout->addLayout(operationColumn(make));
    layout->addLayout(middle, 1);
    layout->addWidget(rightPanel(surface, make, controls));
    return controls;
}

}  // namespace vexlor::gui

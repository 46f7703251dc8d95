#pragma once

#include <QDialog>
#include <functional>

#include "core/app/AppContext.h"
#include "core/app/DeviceNoticeGate.h"
#include "core/serial/SerialProgramSession.h"
#include "core/writer/OperationButtons.h"
#include "core/writer/Writer.h"

class QLineEdit;
class QPushButton;

namespace vexlor {

// What the Program dialog reaches beyond the application context.
struct SerialProgramServices {
    AppContext& context;
    Writer& writer;
    Operator& op;
    OperationButtons& buttons;
    // Held while a button talks to the writer, so a device notice cannot close the link under it.
    DeviceNoticeGate& notices;
    // Called once the dialog has closed the run.
    std::function<void()> closed;
};

// "Serial Number Program" (dialog 160): the run's numbers and addresses, the OK / NG / Total
// counters, S/N SET, S/N Program, Reset Count and Close. Modal from the menu, or the modeless
// instance the main window keeps for Load File (fromLoad: every chip runs Auto).
class CSerialProgramDlg : public QDialog {
    Q_OBJECT

  public:
    CSerialProgramDlg(SerialProgramServices services, const std::string& chipName, bool fromLoad,
                      QWidget* parent = nullptr);

    // Load File's instance after a load: the chip named, S/N SET off and S/N Program on.
    void afterLoad(const std::string& chipName);

    QLineEdit* display(int controlId) const;
    QPushButton* button(int controlId) const;

  protected:
    void reject() override;

  private:
    QLineEdit* addDisplay(int controlId, const char* name);
    QPushButton* addButton(int controlId, const char* text, const char* name);
    void showRun();
    void showCounters();
    void onSet();
    void onProgram();

    SerialProgramServices services_;
    SerialProgramSession session_;
    QPushButton* set_ = nullptr;
    QPushButton* program_ = nullptr;
};

}  // namespace vexlor

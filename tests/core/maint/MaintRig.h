#pragma once

#include "SimRig.h"
#include "core/app/WriterVersion.h"
#include "core/maint/MaintServices.h"

namespace vexlor::test {

class CountingView final : public MainView {
  public:
    void ShowConnectionStatus() override { ++statusShown; }
    void refreshPanel() override {}
    int statusShown = 0;
};

inline sim::SimConfig SimWithVersion(std::string_view versionText) {
    sim::SimConfig config;
    config.versionText = versionText;
    return config;
}

// The maintenance services over a connected simulated writer whose version has been read;
// the data files are those of the base directory the build lays out.
struct MaintRig {
    explicit MaintRig(sim::SimConfig config,
                      sim::test::SimRig::Reach reach = sim::test::SimRig::Reach::Usb)
        : device(std::move(config)), rig(device, reach) {
        context.shell.baseDirectory = builtBaseDir();
        EXPECT_TRUE(rig.connect());
        ReadWriterVersion(rig.writer);
        rig.exchanges();
    }

    sim::SimWriter device;
    sim::test::SimRig rig;
    AppContext context{rig.op, rig.base.path(), Language::English};
    CountingView view;
    MaintServices services{context, rig.writer, rig.op, view};
};

}  // namespace vexlor::test

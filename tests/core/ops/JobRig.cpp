#include "JobRig.h"

#include <gtest/gtest.h>

#include "ScratchBase.h"

namespace vexlor::test {

bool ScriptedOptionSelect::run(OptionChoices& choices) {
    openedWith.push_back(choices);
    if (answers.empty()) {
        return false;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    choices = answer.clicked;
    return answer.ok;
}

JobRig::JobRig(sim::SimConfig config)
    : diagnostics([](std::string_view) {}),
      context(op, base.path(), Language::English),
      device(std::move(config)),
      usb(device),
      transports(TransportOptions{{base / "no-devices", {}}, &usb, nullptr}, diagnostics),
      connection(context.link, transports, TransferFeedback{progress, progress, diagnostics}),
      writer(connection, WriterHost{op, context.messages, buttons, clock, base.path()}) {
    layOutBase(base.path(), builtBaseDir());
    context.messages.LoadMultiLanguageMsgFile(base / "VexlorMsg.xml");
    EXPECT_TRUE(connection.SelectTransport(false));
    context.link.knownWriterVersion = true;
    context.link.hwVersionName = "hwversion1.1";
}

void JobRig::selectChip(const std::string& name) {
    context.chips.ReadChipDisplayInfo(name);
    ASSERT_TRUE(context.chips.ReadICInfo(name));
    context.shell.job.chipNameText = name;
}

std::filesystem::path JobRig::writeHex(const std::string& name, const std::string& text) {
    return base.write(name, text);
}

void JobRig::putHeaderInWriter(const Bytes& header) {
    const auto path = base.writeBytes("header.prog", header);
    ASSERT_TRUE(writer.WriteAreaFromFile(path, kOptionArea));
    std::filesystem::remove(path);
    device.clearTranscript();
}

Bytes JobRig::headerFor(const std::string& chipName) {
    Bytes header(512, 0);
    std::copy(chipName.begin(), chipName.end(), header.begin());
    header[16] = 0x5A;
    header[17] = 0x3C;
    return header;
}

bool JobRig::sent(std::uint8_t command) const {
    for (const sim::TranscriptEntry& entry : device.transcript()) {
        if (!entry.in && entry.command == command) {
            return true;
        }
    }
    return false;
}

JobServices JobRig::services() {
    return JobServices{context, writer, op, buttons, view, optionSelect, 1, {}};
}

}  // namespace vexlor::test

#pragma once

namespace vexlor::test {

// One QApplication for the whole test program, on the offscreen platform unless told otherwise.
void EnsureQtApplication();

}  // namespace vexlor::test

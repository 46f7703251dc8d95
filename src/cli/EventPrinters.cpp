#include "cli/EventPrinters.h"

#include "core/base/ProgressBarText.h"
#include "core/base/ProgressJson.h"

namespace vexlor::cli {

void JsonEventPrinter::onEvent(const ProgressEvent& event) {
    // Flushed per line: a program following the job reads each event as it happens.
    out_ << ProgressEventJson(event, clock_.tickMs() - startMs_) << '\n' << std::flush;
}

void TerminalProgressBar::onEvent(const ProgressEvent& event) {
    switch (event.kind) {
        case ProgressKind::Stage:
            endLine();
            start();
            inStage_ = true;
            break;
        case ProgressKind::Range:
            low_ = event.low;
            high_ = event.high;
            break;
        case ProgressKind::Position:
            position_ = event.position;
            if (position_ != 0) {
                draw();
            } else if (!inStage_) {
                // The transfers of one operation hide the bar between them; its line stays
                // until the operation ends.
                endLine();
                started_ = false;
            }
            break;
        case ProgressKind::Bytes:
            if (event.done < transferBytes_) {
                earlierBytes_ += transferBytes_;
            }
            transferBytes_ = event.done;
            draw();
            break;
        case ProgressKind::Result:
            endLine();
            started_ = inStage_ = false;
            break;
        case ProgressKind::Message:
            // Text follows on its own line.
            endLine();
            break;
        case ProgressKind::AlmostDone:
        case ProgressKind::Address:
            break;
    }
}

void TerminalProgressBar::start() {
    started_ = true;
    startMs_ = clock_.tickMs();
    earlierBytes_ = transferBytes_ = 0;
}

void TerminalProgressBar::draw() {
    if (!started_) {
        start();
    }
    const int span = high_ > low_ ? high_ - low_ : 1;
    const ProgressBarState state{static_cast<double>(position_ - low_) / span,
                                 earlierBytes_ + transferBytes_, clock_.tickMs() - startMs_};
    // Erases to the end of the line: a shorter text leaves nothing of the longer one before.
    out_ << '\r' << ProgressBarLine(state) << "\x1b[K" << std::flush;
    drawn_ = true;
}

void TerminalProgressBar::endLine() {
    if (drawn_) {
        out_ << '\n' << std::flush;
    }
    drawn_ = false;
}

}  // namespace vexlor::cli

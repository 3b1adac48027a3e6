#pragma once

// With TUMBRA_REPORT_FIRST_FRAME set in the environment, prints "first frame N ms" to
// standard error: N milliseconds from the start of the process to now. The desktop
// window calls it once, when its first frame is on screen. Without the variable it does
// nothing.
void ReportFirstFrame();

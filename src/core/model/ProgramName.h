#pragma once

// The program's own name: its window title, and the application name under which the window
// and velo2-cli share one settings directory.
inline constexpr const char *kProgramName = "VELO2";

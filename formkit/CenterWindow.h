#pragma once

// Centres a top-level window over its owner's window, or over the screen
// when owner is null or hidden, and keeps it on the screen. Both are
// QWidget* as void*.
void utCenterWindow(void* window, void* owner);

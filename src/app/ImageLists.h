#pragma once
// The command images (16 x 16): normal, and greyed for disabled commands.
#include <windows.h>
#include <commctrl.h>

HIMAGELIST LoadCommandImages(bool disabled);

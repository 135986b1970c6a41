// Resource identifiers shared by the .rc file and the code.
#pragma once

#define IDI_ORVELLE 1
#define IDR_PREVIEW_GIF 101

// The machine's picture decoders, as the Windows Imaging Component lists them, and the one way
// the program makes the component's factory.
#pragma once

#include <windows.h>

#include <wincodec.h>

#include <vector>

#include "base/com_win.h"
#include "picture/picture_types.h"

namespace orvelle::win {

// The imaging factory, on a thread where COM has started; false when the component is missing.
bool CreateImagingFactory(Com<IWICImagingFactory>& factory);

// Every installed decoder with its friendly name and file extensions, asked once per process
// (any thread: COM is started for the question where it is not yet). Empty when the component
// cannot be asked; the program's own five kinds still count as pictures then.
const std::vector<PictureCodec>& InstalledPictureCodecs();

}  // namespace orvelle::win

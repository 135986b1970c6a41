// Which files are pictures: the kinds the machine's picture decoders declare (found at run time,
// picture_codecs_win.h), and the five this program has always read, so that those keep working
// on a machine whose decoder list is missing or odd. From that one list come the open-file
// dialog's filter, the folder import's pattern and the extensions a folder entry takes.
#pragma once

#include <string>
#include <vector>

namespace orvelle {

// One installed decoder.
struct PictureCodec {
    std::string name;                     // its friendly name ("PNG Decoder")
    std::vector<std::string> extensions;  // as it declares them (".png"), any case
};

// Every picture extension, lower case with its dot, sorted, each once: the codecs' and ".bmp",
// ".dib", ".gif", ".jif", ".jpeg", ".jpg".
std::vector<std::string> PictureFileExtensions(const std::vector<PictureCodec>& codecs);

// The open-file dialog's filter in "Description|*.a;*.b|..." form: "All pictures" with every
// extension first, then the five filters the dialog has always had (GIF, JPEG, JIF, BMP, DIB),
// then one per other decoder ("PNG files (*.png)").
std::string PictureFileFilter(const std::vector<PictureCodec>& codecs);

// Every extension as a file pattern: "*.bmp;*.dib;*.gif;...".
std::string PictureFilePattern(const std::vector<PictureCodec>& codecs);

}  // namespace orvelle

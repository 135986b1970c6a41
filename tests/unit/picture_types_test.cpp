// The decoder list turned into what the program offers and takes as pictures.
#include "picture/picture_types.h"

#include <gtest/gtest.h>

namespace orvelle {
namespace {

using Strings = std::vector<std::string>;

// What Windows lists on a machine with the HEIF and WebP extensions, in the order it lists them.
const std::vector<PictureCodec> kWindows = {
    {"BMP Decoder", {".bmp", ".dib", ".rle"}},
    {"GIF Decoder", {".gif"}},
    {"ICO Decoder", {".ico", ".icon"}},
    {"JPEG Decoder", {".jpeg", ".jpe", ".jpg", ".jfif", ".exif"}},
    {"PNG Decoder", {".png"}},
    {"TIFF Decoder", {".tiff", ".tif"}},
    {"WMPhoto Decoder", {".wdp", ".jxr"}},
    {"HEIF Decoder", {".HEIC", ".heif", ".hif", ".avci"}},
    {"WebP Decoder", {".webp"}},
    {"Odd", {"raw", "", "*.x", ".a b"}},
};

TEST(PictureTypes, DecoderListGivesTheDialogFilterThePatternAndTheExtensions) {
    EXPECT_EQ(
        PictureFileFilter(kWindows),
        "All pictures|*.avci;*.bmp;*.dib;*.exif;*.gif;*.heic;*.heif;*.hif;*.ico;*.icon;*.jfif;"
        "*.jif;*.jpe;*.jpeg;*.jpg;*.jxr;*.png;*.raw;*.rle;*.tif;*.tiff;*.wdp;*.webp"
        "|CompuServe Files (*.gif)|*.gif|Jpeg Files (*.jpg)|*.jpg|Jif files (*.jif)|*.jif"
        "|Windows Bitmap Files (*.bmp)|*.bmp|Windows DIB files (*.dib)|*.dib"
        "|HEIF files (*.heic;*.heif;*.hif;*.avci)|*.heic;*.heif;*.hif;*.avci"
        "|ICO files (*.ico;*.icon)|*.ico;*.icon|Odd files (*.raw)|*.raw"
        "|PNG files (*.png)|*.png|TIFF files (*.tiff;*.tif)|*.tiff;*.tif"
        "|WMPhoto files (*.wdp;*.jxr)|*.wdp;*.jxr|WebP files (*.webp)|*.webp");

    // No decoder list at all: the five kinds the program has always read, and .jpeg.
    const Strings own = {".bmp", ".dib", ".gif", ".jif", ".jpeg", ".jpg"};
    EXPECT_EQ(PictureFileExtensions({}), own);
    EXPECT_EQ(PictureFilePattern({}), "*.bmp;*.dib;*.gif;*.jif;*.jpeg;*.jpg");
    EXPECT_EQ(PictureFileFilter({}),
              "All pictures|*.bmp;*.dib;*.gif;*.jif;*.jpeg;*.jpg|CompuServe Files (*.gif)|*.gif"
              "|Jpeg Files (*.jpg)|*.jpg|Jif files (*.jif)|*.jif|Windows Bitmap Files (*.bmp)"
              "|*.bmp|Windows DIB files (*.dib)|*.dib");
    EXPECT_EQ(PictureFileExtensions({{"PNG Decoder", {".PNG", ".png"}}}).size(), own.size() + 1);
}

}  // namespace
}  // namespace orvelle

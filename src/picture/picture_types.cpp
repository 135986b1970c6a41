#include "picture/picture_types.h"

#include <algorithm>
#include <string_view>

namespace orvelle {

namespace {

// What the program has always read, whatever the decoder list says.
constexpr const char* kOwnExtensions[] = {".bmp", ".dib", ".gif", ".jif", ".jpeg", ".jpg"};

// The dialog's filters for them, as they have always read.
constexpr const char* kOwnFilters[] = {
    "CompuServe Files (*.gif)|*.gif",  "Jpeg Files (*.jpg)|*.jpg",
    "Jif files (*.jif)|*.jif",         "Windows Bitmap Files (*.bmp)|*.bmp",
    "Windows DIB files (*.dib)|*.dib",
};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

// ".png" for "png", ".PNG" or ".png"; "" for nothing usable (a pattern character, a space).
std::string CleanExtension(std::string_view extension) {
    std::string out = Lower(extension);
    if (!out.empty() && out[0] != '.') {
        out.insert(out.begin(), '.');
    }
    const bool usable = out.size() > 1 && out.find_first_of("*?;| \t\\/.", 1) == std::string::npos;
    return usable ? out : std::string();
}

bool IsOwnExtension(const std::string& extension) {
    return std::any_of(std::begin(kOwnExtensions), std::end(kOwnExtensions),
                       [&](const char* own) { return extension == own; });
}

// "PNG files" from "PNG Decoder": the decoder's word dropped.
std::string KindName(std::string name) {
    for (std::string_view word : {" Decoder", " Codec", " decoder", " codec"}) {
        if (name.size() > word.size() &&
            name.compare(name.size() - word.size(), word.size(), word.data(), word.size()) == 0) {
            name.resize(name.size() - word.size());
            break;
        }
    }
    return name.empty() ? std::string("Picture files") : name + " files";
}

std::string Patterns(const std::vector<std::string>& extensions) {
    std::string out;
    for (const std::string& extension : extensions) {
        out += (out.empty() ? "*" : ";*") + extension;
    }
    return out;
}

}  // namespace

std::vector<std::string> PictureFileExtensions(const std::vector<PictureCodec>& codecs) {
    std::vector<std::string> all(std::begin(kOwnExtensions), std::end(kOwnExtensions));
    for (const PictureCodec& codec : codecs) {
        for (const std::string& extension : codec.extensions) {
            std::string clean = CleanExtension(extension);
            if (!clean.empty()) {
                all.push_back(std::move(clean));
            }
        }
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

std::string PictureFileFilter(const std::vector<PictureCodec>& codecs) {
    std::string filter = "All pictures|" + Patterns(PictureFileExtensions(codecs));
    for (const char* own : kOwnFilters) {
        filter += std::string("|") + own;
    }
    std::vector<std::string> others;
    for (const PictureCodec& codec : codecs) {
        std::vector<std::string> extensions;
        bool own = false;
        for (const std::string& extension : codec.extensions) {
            std::string clean = CleanExtension(extension);
            own = own || IsOwnExtension(clean);
            if (!clean.empty() &&
                std::find(extensions.begin(), extensions.end(), clean) == extensions.end()) {
                extensions.push_back(std::move(clean));
            }
        }
        // The GIF, JPEG and BMP decoders are the five filters above.
        if (!own && !extensions.empty()) {
            const std::string patterns = Patterns(extensions);
            others.push_back(KindName(codec.name) + " (" + patterns + ")|" + patterns);
        }
    }
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    for (const std::string& other : others) {
        filter += "|" + other;
    }
    return filter;
}

std::string PictureFilePattern(const std::vector<PictureCodec>& codecs) {
    return Patterns(PictureFileExtensions(codecs));
}

}  // namespace orvelle

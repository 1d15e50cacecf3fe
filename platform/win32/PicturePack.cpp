// Built and run on the build host: finds every SVG document written as a string literal in the
// given source files (preprocessed, so literals made by macros and joined from pieces count),
// rasterises each with rsvg-convert at the sizes the renderer asks for, packs the pictures into
// icon files and writes the resource script that builds them into the Windows program, each
// named after its document's hash (see Pictures.h). The compiled program is no source for them:
// the compiler writes short strings as immediate stores.
//
// picture-pack <output folder> <resource script> <program icon> [-I<folder>...] <source>...
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The same hash as the renderer's, of the document from "<svg" to the end of "</svg>".
std::uint64_t Hash(const std::string& svg) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : svg) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    return hash;
}

// Every "<svg" ... "</svg>" document in a text.
void FindDocuments(const std::string& text, std::map<std::uint64_t, std::string>& found) {
    for (std::size_t at = text.find("<svg"); at != std::string::npos;
         at = text.find("<svg", at + 4)) {
        const std::size_t close = text.find("</svg>", at);
        if (close == std::string::npos) {
            return;
        }
        const std::string svg = text.substr(at, close + 6 - at);
        found.emplace(Hash(svg), svg);
    }
}

// The value of the string literal at `at` (plain or raw, any prefix already passed); `at` ends
// after it.
std::string ReadLiteral(const std::string& code, std::size_t& at, bool raw) {
    std::string value;
    if (raw) {
        const std::size_t open = code.find('(', at);
        const std::string end = ")" + code.substr(at + 1, open - at - 1) + "\"";
        const std::size_t close = code.find(end, open);
        value = code.substr(open + 1, close - open - 1);
        at = close + end.size();
        return value;
    }
    for (++at; at < code.size() && code[at] != '"'; ++at) {
        if (code[at] != '\\') {
            value += code[at];
            continue;
        }
        const char e = code[++at];
        switch (e) {
            case 'n':
                value += '\n';
                break;
            case 't':
                value += '\t';
                break;
            case 'r':
                value += '\r';
                break;
            case 'x': {
                std::size_t used = 0;
                value += char(std::stoi(code.substr(at + 1, 2), &used, 16));
                at += used;
                break;
            }
            default:
                value += e;
                break;
        }
    }
    ++at;
    return value;
}

// The documents in the string literals of preprocessed code; adjacent literals are one string.
void FindInCode(const std::string& code, std::map<std::uint64_t, std::string>& found) {
    std::string joined;
    const auto flush = [&] {
        FindDocuments(joined, found);
        joined.clear();
    };
    for (std::size_t at = 0; at < code.size();) {
        const char c = code[at];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++at;
        } else if (c == '"') {
            joined += ReadLiteral(code, at, false);
        } else if (c == '\'') {
            flush();
            for (++at; at < code.size() && code[at] != '\''; ++at) {
                at += code[at] == '\\' ? 1 : 0;
            }
            ++at;
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            const std::size_t start = at;
            while (at < code.size() &&
                   (std::isalnum(static_cast<unsigned char>(code[at])) || code[at] == '_')) {
                ++at;
            }
            const std::string word = code.substr(start, at - start);
            const bool prefix = word == "u8" || word == "L" || word == "u" || word == "U";
            const bool rawPrefix =
                word == "R" || word == "u8R" || word == "LR" || word == "uR" || word == "UR";
            if (at < code.size() && code[at] == '"' && (prefix || rawPrefix)) {
                joined += ReadLiteral(code, at, rawPrefix);
            } else {
                flush();
            }
        } else {
            flush();
            ++at;
        }
    }
    flush();
}

std::string Preprocess(const std::string& includes, const std::string& source) {
    const std::string command =
        "c++ -std=c++20 -E -P -Wno-pragma-once-outside-header " + includes + " '" + source + "'";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, got);
        }
        if (pclose(pipe) != 0) {
            std::fprintf(stderr, "picture-pack: could not preprocess %s\n", source.c_str());
            std::exit(1);
        }
    }
    return output;
}

void PutLe16(std::string& out, unsigned v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}
void PutLe32(std::string& out, std::uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

// Rasterises one document into an icon file holding a PNG image per size.
bool PackIcon(const std::string& svg, const fs::path& folder, const std::string& name) {
    const fs::path source = folder / (name + ".svg");
    std::ofstream(source, std::ios::binary) << svg;
    std::vector<std::string> images;
    for (const int size : kSizes) {
        const fs::path png = folder / (name + "-" + std::to_string(size) + ".png");
        const std::string command = "rsvg-convert -w " + std::to_string(size) + " -h " +
                                    std::to_string(size) + " -o '" + png.string() + "' '" +
                                    source.string() + "'";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "picture-pack: rsvg-convert failed on %s\n",
                         source.string().c_str());
            return false;
        }
        images.push_back(ReadFile(png));
    }
    std::string ico;
    PutLe16(ico, 0);
    PutLe16(ico, 1);  // icon
    PutLe16(ico, unsigned(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = kSizes[i];
        ico += char(size >= 256 ? 0 : size);
        ico += char(size >= 256 ? 0 : size);
        ico += char(0);  // no palette
        ico += char(0);
        PutLe16(ico, 1);   // planes
        PutLe16(ico, 32);  // bits per pixel
        PutLe32(ico, std::uint32_t(images[i].size()));
        PutLe32(ico, offset);
        offset += std::uint32_t(images[i].size());
    }
    for (const std::string& image : images) {
        ico += image;
    }
    std::ofstream(folder / (name + ".ico"), std::ios::binary) << ico;
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: picture-pack <folder> <script.rc> <icon.svg> [-I...] <source>...\n");
        return 2;
    }
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    std::string includes;
    for (int i = 4; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("-I", 0) == 0) {
            includes += " '" + argument + "'";
        }
    }
    std::map<std::uint64_t, std::string> documents;
    for (int i = 4; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("-I", 0) != 0) {
            FindInCode(Preprocess(includes, argument), documents);
        }
    }
    // The program's icon: an SVG file, or the first picture written in a source file.
    std::map<std::uint64_t, std::string> programIcon;
    const std::string icon = argv[3];
    if (icon.size() > 4 && icon.substr(icon.size() - 4) == ".svg") {
        FindDocuments(ReadFile(icon), programIcon);
    } else {
        FindInCode(Preprocess(includes, icon), programIcon);
    }
    if (programIcon.empty()) {
        std::fprintf(stderr, "picture-pack: no SVG document in %s\n", argv[3]);
        return 1;
    }
    std::ostringstream script;
    // Explorer shows the first icon of a program: named resources sort before the pictures.
    if (!PackIcon(programIcon.begin()->second, folder, "APPICON")) {
        return 1;
    }
    script << "APPICON ICON \"" << (folder / "APPICON.ico").generic_string() << "\"\n";
    for (const auto& [hash, svg] : documents) {
        char name[24];
        std::snprintf(name, sizeof name, "P%016llX", static_cast<unsigned long long>(hash));
        if (!PackIcon(svg, folder, name)) {
            return 1;
        }
        script << name << " ICON \"" << (folder / (std::string(name) + ".ico")).generic_string()
               << "\"\n";
    }
    std::ofstream(argv[2]) << script.str();
    std::printf("picture-pack: %zu pictures\n", documents.size());
    return 0;
}

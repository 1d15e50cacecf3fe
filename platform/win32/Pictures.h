#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace platform {

// Pictures are SVG documents in the core; the Windows build rasterises every one it finds in the
// program at build time into an icon resource named after the document's hash (tools/PicturePack),
// so nothing draws SVG at run time.
std::uint64_t PictureHash(std::string_view svg);

// The picture at about `size` pixels, from the program's resources; null (reported once on the
// error output) for a picture the build did not pack. The icon is shared: do not destroy it.
HICON PictureIcon(std::string_view svg, int size);

// How many pictures were asked for that the build did not pack (tests expect none).
int MissingPictureCount();

}  // namespace platform

#include "Layout.h"

#include <algorithm>

namespace platform {

std::vector<Rect> alignedBounds(const Rect& client, const std::vector<const Control*>& children) {
    std::vector<Rect> result;
    result.reserve(children.size());
    for (const Control* child : children) {
        result.push_back(child->bounds());
    }
    Rect free = client;
    const auto place = [&](Align which) {
        for (std::size_t i = 0; i < children.size(); ++i) {
            const Control& child = *children[i];
            if (child.align() != which || !child.visible()) {
                continue;
            }
            Rect& r = result[i];
            switch (which) {
                case Align::Top:
                    r = {free.left, free.top, free.width, child.bounds().height};
                    free.top += r.height;
                    free.height = std::max(0, free.height - r.height);
                    break;
                case Align::Bottom:
                    r = {free.left, free.top + free.height - child.bounds().height, free.width,
                         child.bounds().height};
                    free.height = std::max(0, free.height - r.height);
                    break;
                case Align::Left:
                    r = {free.left, free.top, child.bounds().width, free.height};
                    free.left += r.width;
                    free.width = std::max(0, free.width - r.width);
                    break;
                case Align::Right:
                    r = {free.left + free.width - child.bounds().width, free.top,
                         child.bounds().width, free.height};
                    free.width = std::max(0, free.width - r.width);
                    break;
                case Align::Client:
                    r = free;
                    break;
                case Align::None:
                    break;
            }
        }
    };
    for (Align which : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        place(which);
    }
    return result;
}

}  // namespace platform

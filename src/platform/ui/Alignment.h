// Where a piece of content sits inside the area given to it: horizontally (alignment) and
// vertically (layout).
#pragma once

namespace platform {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

} // namespace platform

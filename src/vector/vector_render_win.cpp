#include "vector/vector_render_win.h"

namespace tolvik {

HBITMAP RenderZoneVectorMap(Program& program, const std::string& zone) {
    program.app.map.points = CalibrationPoints{};
    return nullptr;
}

}  // namespace tolvik

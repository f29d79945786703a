#include "recording_canvas.h"

#include <cstdio>

namespace lumor {

std::string describeOp(const CanvasOp& op) {
    switch (op.kind) {
        case CanvasOp::Kind::Fill: return "fill";
        case CanvasOp::Kind::Pen: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(op.colour & 0xFFFFFF));
            return std::string("pen ") + hex;
        }
        case CanvasOp::Kind::Line:
            return "line " + std::to_string(op.x1) + "," + std::to_string(op.y1) + " " + std::to_string(op.x2) + "," +
                   std::to_string(op.y2);
        case CanvasOp::Kind::Text: break;
    }
    return "text " + std::to_string(op.x1) + "," + std::to_string(op.y1) + " " + op.text;
}

}  // namespace lumor

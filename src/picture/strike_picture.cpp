#include "picture/strike_picture.h"

namespace zeb {

QImage NewStrikePicture(const StrikeFrame& frame) {
    QImage picture(frame.columns, frame.rows, QImage::Format_Grayscale8);
    if (!picture.isNull())
        picture.fill(0);
    return picture;
}

} // namespace zeb

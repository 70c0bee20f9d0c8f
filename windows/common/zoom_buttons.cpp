#include "windows/common/zoom_buttons.h"

namespace orbex {

ZoomButtons::ZoomButtons(QWidget& window, ZoomScale& scale, ZoomButtonLayout layout)
    : window_(window),
      scale_(scale),
      layout_(layout),
      zoomIn_(new ZoomButton(QStringLiteral("zoomIn"), QStringLiteral("+"), &window)),
      zoomOut_(new ZoomButton(QStringLiteral("zoomOut"), QStringLiteral("-"), &window)) {
    zoomIn_->SetCommand([this] { ZoomIn(); });
    zoomOut_->SetCommand([this] { ZoomOut(); });
}

void ZoomButtons::ZoomIn() {
    scale_.ZoomIn();
    AfterZoom();
}

void ZoomButtons::ZoomOut() {
    scale_.ZoomOut();
    AfterZoom();
}

bool ZoomButtons::HandleKey(const QKeyEvent& event) {
    if (event.text() == QLatin1String("+")) {
        ZoomIn();
        return true;
    }
    if (event.text() == QLatin1String("-")) {
        ZoomOut();
        return true;
    }
    return false;
}

void ZoomButtons::Follow(QSize window) {
    const ZoomButtonPlaces places = layout_(window);
    zoomOut_->move(places.zoomOut);
    zoomIn_->move(places.zoomIn);
}

void ZoomButtons::AfterZoom() {
    zoomIn_->setEnabled(scale_.CanZoomIn());
    zoomOut_->setEnabled(scale_.CanZoomOut());
    window_.setFocus();
    window_.update();
}

}  // namespace orbex

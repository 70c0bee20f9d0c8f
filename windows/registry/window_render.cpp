#include "windows/registry/window_render.h"

#include <QCoreApplication>
#include <QWidget>

#include "gui/receiver_sink.h"
#include "gui/recording_surface.h"
#include "windows/common/paintable.h"
#include "windows/common/painted_child.h"

namespace orbex {

MonitorWindowRender::MonitorWindowRender(WindowFeed feed, const Maker& make)
    : feed_(feed), window_(make ? make(decoder_) : nullptr) {
    if (window_ != nullptr) {
        window_->show();
        Settle();
    }
}

MonitorWindowRender::~MonitorWindowRender() {
    delete window_.data();
}

void MonitorWindowRender::FeedLine(std::string_view line) {
    auto* sink = dynamic_cast<ReceiverSink*>(window_.data());
    if (sink == nullptr) {
        return;
    }
    ++linesFed_;
    ReceiverState state{};
    const bool decoded = decoder_.Decode(state, line);
    if (decoded) {
        ++recordsDecoded_;
    }
    if (feed_ == WindowFeed::EveryLine || (decoded && feed_ == WindowFeed::RecognisedLine)) {
        sink->OnReceiverLine(line);
    } else if (decoded && feed_ == WindowFeed::Record) {
        sink->OnReceiverRecord(state);
    }
}

void MonitorWindowRender::Settle() {
    QCoreApplication::processEvents();
}

QImage MonitorWindowRender::Grab() {
    if (window_ == nullptr) {
        return {};
    }
    Settle();
    return window_->grab().toImage();
}

QStringList MonitorWindowRender::DrawLog() {
    if (window_ == nullptr) {
        return {};
    }
    Settle();
    RecordingSurface surface;
    if (auto* own = dynamic_cast<Paintable*>(window_.data())) {
        own->Paint(surface);
    }
    // PaintedChild has no meta-object of its own, so findChildren<PaintedChild*> would return
    // every child widget (the Console's list among them): pick the drawn ones by their type.
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
        auto* child = dynamic_cast<PaintedChild*>(widget);
        if (child != nullptr && child->isVisibleTo(window_)) {
            surface.SetTag(child->objectName());
            child->Paint(surface);
        }
    }
    return surface.ToJsonLines();
}

}  // namespace orbex

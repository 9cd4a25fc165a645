#include "platform/InputEvent.h"

#include "platform/EventSink.h"

void Deliver(EventSink& sink, const InputEvent& event)
{
    switch (event.kind) {
    case InputEvent::Kind::KeyDown:
        sink.KeyDown(event.code);
        break;
    case InputEvent::Kind::MouseDown:
        sink.MouseDown(event.code, event.x, event.y);
        break;
    case InputEvent::Kind::Tap:
        sink.Tap(event.x, event.y);
        break;
    case InputEvent::Kind::MouseMove:
        sink.MouseMove(event.x, event.y);
        break;
    case InputEvent::Kind::DblClick:
        sink.DblClick();
        break;
    case InputEvent::Kind::Resize:
        sink.Resize(event.minimized);
        break;
    case InputEvent::Kind::Close:
        sink.Unload();
        break;
    }
}

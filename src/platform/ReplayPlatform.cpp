#include "platform/ReplayPlatform.h"

ReplayPlatform::ReplayPlatform(Platform& inner) : inner_(inner), gate_(*this)
{
}

ReplayPlatform::~ReplayPlatform()
{
    inner_.SetEventSink(nullptr);
}

void ReplayPlatform::BeginReplay()
{
    virtualNow_ = GetTickCount();
    replaying_ = true;
}

void ReplayPlatform::EndReplay()
{
    if (!replaying_)
        return;
    replaying_ = false;
    offset_ = virtualNow_ - inner_.GetTickCount();
}

uint32_t ReplayPlatform::GetTickCount()
{
    return replaying_ ? virtualNow_ : inner_.GetTickCount() + offset_;
}

void ReplayPlatform::SetEventSink(EventSink* sink)
{
    sink_ = sink;
    inner_.SetEventSink(sink != nullptr ? &gate_ : nullptr);
}

void ReplayPlatform::Present(const Picture& picture)
{
    if (!replaying_)
        inner_.Present(picture);
}

void ReplayPlatform::PumpEvents()
{
    if (!replaying_)
        inner_.PumpEvents();
}

void ReplayPlatform::Breathe()
{
    if (!replaying_)
        inner_.Breathe();
}

void ReplayPlatform::WaitForEvent(uint32_t deadline)
{
    if (!replaying_) {
        inner_.WaitForEvent(deadline - offset_);
        return;
    }
    // As a real clock would, a deadline already reached still lets a millisecond pass.
    const int32_t ahead = static_cast<int32_t>(deadline - virtualNow_);
    virtualNow_ += ahead > 0 ? static_cast<uint32_t>(ahead) : 1;
}

void ReplayPlatform::WaitForEventForever()
{
    if (replaying_)
        return;
    if (onIdle)
        onIdle();
    inner_.WaitForEventForever();
}

AudioOutput& ReplayPlatform::Audio()
{
    return replaying_ ? static_cast<AudioOutput&>(silence_) : inner_.Audio();
}

void ReplayPlatform::Gate::Pass(const InputEvent& event)
{
    if (owner_.onInput && owner_.onInput(event))
        return;
    if (owner_.sink_ != nullptr)
        Deliver(*owner_.sink_, event);
}

void ReplayPlatform::Gate::Paint()
{
    if (owner_.sink_ != nullptr)
        owner_.sink_->Paint();
}

void ReplayPlatform::Gate::Resize(bool minimized)
{
    if (owner_.sink_ != nullptr)
        owner_.sink_->Resize(minimized);
}

void ReplayPlatform::Gate::Unload()
{
    if (owner_.onInput)
        owner_.onInput(InputEvent::Close());
    if (owner_.sink_ != nullptr)
        owner_.sink_->Unload();
}

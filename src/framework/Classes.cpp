#include "framework/Classes.h"

#include <algorithm>
#include <cstring>

#include "base/LittleEndian.h"


namespace tv {

// ---- TObject / TPersistent ----

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info = [] {
        TClassInfo i;
        i.name = "TObject";
        return i;
    }();
    return info;
}

void TObject::Dispatch(TMessage& message) {
    if (const TMessageEntry* entry = ClassInfo().FindMessage(message.Msg))
        entry->handler(*this, message);
    else
        DefaultHandler(message);
}

const TClassInfo& TCollection::StaticClass() {
    static const TClassInfo info = DescribeClass<TCollection>("TCollection").Done();
    return info;
}

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info = DescribeClass<TPersistent>("TPersistent").Done();
    return info;
}

void TPersistent::Assign(const TPersistent& source) {
    throw Exception("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

// ---- TComponent ----

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TComponent>("TComponent")
            .Str("Name", &TComponent::Name, &TComponent::SetName)
            .NotStored()  // written as the object's header
            .Int("Tag", &TComponent::Tag, &TComponent::SetTag)
            .Default(0)
            .Done();
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    ReleaseWeakRefs();
    state_ |= std::uint32_t(TComponentState::Destroying);
    RemoveFreeNotifications();
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::RemoveFreeNotifications() {
    // Whoever asked about us hears of our end; we stop listening to the others.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, TOperation::Remove);
    }
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveComponent(last);
        delete last;
    }
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

bool IsValidIdent(std::string_view name) {
    if (name.empty()) return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(name[0])) return false;
    for (char c : name)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name)) throw Exception("'" + name + "' is not a valid component name");
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this) throw Exception("A component named " + name + " already exists");
    }
    name_ = name;
}

void TComponent::SetState(TComponentState s, bool on) {
    if (on)
        state_ |= std::uint32_t(s);
    else
        state_ &= ~std::uint32_t(s);
}

void TComponent::Loaded() { SetState(TComponentState::Loading, false); }

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::Remove) {
        auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), component);
        if (it != freeNotifies_.end()) freeNotifies_.erase(it);
    }
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
    other->freeNotifies_.erase(std::remove(other->freeNotifies_.begin(), other->freeNotifies_.end(), this),
                               other->freeNotifies_.end());
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw Exception("A component named " + component->name_ + " already exists");
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    // Everything the owner holds hears of the newcomer.
    for (std::size_t i = 0; i < components_.size(); ++i)
        if (components_[i] != component) components_[i]->Notification(component, TOperation::Insert);
    Notification(component, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    components_.erase(it);
    component->owner_ = nullptr;
    if (!HasState(TComponentState::Destroying)) {
        Notification(component, TOperation::Remove);
        for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Notification(component, TOperation::Remove);
    }
}

// ---- streams ----

const TClassInfo& TStream::StaticClass() {
    static const TClassInfo info = DescribeClass<TStream>("TStream").Done();
    return info;
}

std::int64_t TStream::Size() {
    std::int64_t here = Seek(0, 1);
    std::int64_t end = Seek(0, 2);
    Seek(here, 0);
    return end;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (Write(buffer, count) != count) throw EStreamError("Stream write error");
}

std::int32_t TStream::ReadInt32() {
    std::uint8_t b[4];
    ReadBuffer(b, 4);
    return std::int32_t(base::le::Load32(b));
}

void TStream::WriteInt32(std::int32_t value) {
    std::uint8_t b[4];
    base::le::Store32(b, 0, std::uint32_t(value));
    WriteBuffer(b, 4);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count <= 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<std::uint8_t> chunk(64 * 1024);
    std::int64_t left = count;
    while (left > 0) {
        std::size_t n = std::size_t(std::min<std::int64_t>(left, std::int64_t(chunk.size())));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= std::int64_t(n);
    }
    return count;
}

const TClassInfo& TMemoryStream::StaticClass() {
    static const TClassInfo info = DescribeClass<TMemoryStream>("TMemoryStream").Done();
    return info;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (position_ >= data_.size()) return 0;
    std::size_t n = std::min(count, data_.size() - position_);
    if (n) std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return 0;
    if (position_ + count > data_.size()) data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, int origin) {
    std::int64_t base = origin == 0 ? 0 : origin == 1 ? std::int64_t(position_) : std::int64_t(data_.size());
    std::int64_t p = base + offset;
    if (p < 0) throw EStreamError("Seek before the start of the stream");
    position_ = std::size_t(p);
    return p;
}

void TMemoryStream::SetSize(std::int64_t size) {
    if (size < 0) throw EStreamError("Negative stream size");
    data_.resize(std::size_t(size));
    if (position_ > data_.size()) position_ = data_.size();
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromBytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    data_.assign(p, p + size);
    position_ = 0;
}

}  // namespace tv

// Portable base classes: objects with run-time type information, persistent
// objects, components with owners, string lists and memory streams.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/TypInfo.h"

namespace tv {

class TFiler;
class TStream;

template <class T>
class WeakPtr;

class TObject {
public:
    virtual ~TObject() { ReleaseWeakRefs(); }
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassInfo().name; }
    bool InheritsFrom(std::string_view className) const { return ClassInfo().InheritsFrom(className); }

    // Runs the class's handler for msg (walking up the class chain) or DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage&) {}

protected:
    // From here on every WeakPtr to this object reads null. The destructors of the
    // framework's classes call it first, so that no one reaches a half-destroyed object.
    void ReleaseWeakRefs() noexcept {
        if (weakCell_) *weakCell_ = nullptr;
        weakCell_.reset();
    }

private:
    template <class T>
    friend class WeakPtr;
    mutable std::shared_ptr<const TObject*> weakCell_;
};

// A link that does not keep its target alive and reads null once the target's
// destruction has begun (active control, capture, a skinner's control).
template <class T>
class WeakPtr {
public:
    WeakPtr() = default;
    WeakPtr(T* target) { Reset(target); }  // NOLINT: assigned from plain pointers
    WeakPtr& operator=(T* target) {
        Reset(target);
        return *this;
    }
    T* Get() const { return cell_ && *cell_ ? target_ : nullptr; }
    operator T*() const { return Get(); }  // NOLINT: reads like the pointer it stands for
    T* operator->() const { return Get(); }
    void Reset(T* target = nullptr) {
        target_ = target;
        cell_.reset();
        if (!target) return;
        const TObject* object = target;
        if (!object->weakCell_) object->weakCell_ = std::make_shared<const TObject*>(object);
        cell_ = object->weakCell_;
    }

private:
    T* target_ = nullptr;
    std::shared_ptr<const TObject*> cell_;
};

class TPersistent : public TObject {
    TV_CLASS(TPersistent, TObject)

    // Lets a class store values that are not published properties (binary data, lists).
    virtual void DefineProperties(TFiler&) {}
    // Copies source into this object; throws when the classes cannot be assigned.
    virtual void Assign(const TPersistent& source);
};

// A list of items owned by a component (status panels, header sections...), stored as
//   Panels = <
//     item
//       Width = 120
//     end>
// Reading replaces the whole list.
class TCollection : public TPersistent {
    TV_CLASS(TCollection, TPersistent)

    virtual int ItemCount() const = 0;
    virtual TPersistent& ItemAt(int index) const = 0;
    virtual TPersistent& AddItem() = 0;
    virtual void ClearItems() = 0;
};

enum class TComponentState : std::uint32_t {
    Loading = 1, Reading = 2, Writing = 4, Destroying = 8, Designing = 16,
};
using TComponentStates = std::uint32_t;

enum class TOperation { Insert, Remove };

class TComponent : public TPersistent {
    TV_CLASS(TComponent, TPersistent)

    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(std::size_t(index)); }
    int ComponentIndex() const;
    // Case-insensitive search among the owned components.
    TComponent* FindComponent(std::string_view name) const;

    const std::string& Name() const { return name_; }
    // Throws when the name is not an identifier or another component of the owner has it.
    virtual void SetName(const std::string& name);
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    TComponentStates ComponentState() const { return state_; }
    bool HasState(TComponentState s) const { return (state_ & std::uint32_t(s)) != 0; }
    void SetState(TComponentState s, bool on);

    // Called once after the stored description containing this component has been read.
    virtual void Loaded();
    // Told when a component is inserted into or removed from the owner, or when one
    // this component asked about (FreeNotification) is destroyed.
    virtual void Notification(TComponent* component, TOperation operation);
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees the owned components, last first.
    void DestroyComponents();

    // Nesting in stored descriptions: a control's parent; none for plain components.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}

private:
    void RemoveFreeNotifications();

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    std::intptr_t tag_ = 0;
    TComponentStates state_ = 0;
};

bool IsValidIdent(std::string_view name);

// Byte streams.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class TStream : public TObject {
    TV_CLASS(TStream, TObject)
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;  // origin: 0 begin, 1 current, 2 end

    std::int64_t Position() { return Seek(0, 1); }
    void SetPosition(std::int64_t p) { Seek(p, 0); }
    virtual std::int64_t Size();
    // Throw EStreamError when fewer bytes are there.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
    std::int32_t ReadInt32();
    void WriteInt32(std::int32_t value);
    // Copies count bytes from source (all of it from its start when count is 0).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
    TV_CLASS(TMemoryStream, TStream)
    TMemoryStream() = default;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;
    std::int64_t Size() override { return std::int64_t(data_.size()); }
    void SetSize(std::int64_t size);
    void Clear();

    std::uint8_t* Memory() { return data_.data(); }
    const std::uint8_t* Memory() const { return data_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return data_; }
    void LoadFromBytes(const void* data, std::size_t size);

private:
    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
};

}  // namespace tv

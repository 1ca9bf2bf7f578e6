#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

namespace orvanta {

// A point of a diagram, and of a surface with the response as its second
// (vertical) coordinate; 32-bit floats, as the windows draw them.
struct TPoint2D {
    float X = 0.0f;
    float Y = 0.0f;
};
struct TPoint3D {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
};

// A growable array of points whose capacity grows by 256 entries at a time,
// the old entries copied over.
template <class TPoint> class TPointList {
public:
    static constexpr std::int32_t Growth = 256;

    TPointList() = default;
    TPointList(const TPointList& other) { *this = other; }
    TPointList& operator=(const TPointList& other) {
        if (this != &other) {
            Clear();
            Grow(other.Size);
            if (other.Size > 0)
                std::memcpy(Items.get(), other.Items.get(),
                            sizeof(TPoint) * static_cast<std::size_t>(other.Size));
            Size = other.Size;
        }
        return *this;
    }

    void Add(const TPoint& point) {
        if (Size == Room)
            Grow(Room + Growth);
        Items[static_cast<std::size_t>(Size++)] = point;
    }
    // Room for `count` points in one step (rounded up to whole growth
    // steps), for lists whose length is known beforehand: growing a large
    // grid 256 points at a time would copy it over and over.
    void Reserve(std::int32_t count) {
        if (count > Room)
            Grow((count + Growth - 1) / Growth * Growth);
    }
    // Empties the list and gives its storage back.
    void Clear() {
        Items.reset();
        Size = Room = 0;
    }

    std::int32_t Count() const { return Size; }
    std::int32_t Capacity() const { return Room; }
    bool Empty() const { return Size == 0; }
    TPoint& operator[](std::int32_t i) { return Items[static_cast<std::size_t>(i)]; }
    const TPoint& operator[](std::int32_t i) const { return Items[static_cast<std::size_t>(i)]; }
    TPoint* begin() { return Items.get(); }
    TPoint* end() { return Items.get() + Size; }
    const TPoint* begin() const { return Items.get(); }
    const TPoint* end() const { return Items.get() + Size; }

private:
    void Grow(std::int32_t room) {
        if (room <= Room)
            return;
        auto items = std::make_unique<TPoint[]>(static_cast<std::size_t>(room));
        if (Size > 0)
            std::memcpy(items.get(), Items.get(), sizeof(TPoint) * static_cast<std::size_t>(Size));
        Items = std::move(items);
        Room = room;
    }

    std::unique_ptr<TPoint[]> Items;
    std::int32_t Size = 0;
    std::int32_t Room = 0;
};

using TPointList2D = TPointList<TPoint2D>;
using TPointList3D = TPointList<TPoint3D>;

} // namespace orvanta

#pragma once
// Quicksort and bisection over index ranges, as the snapshot, the commands and
// the screen grid use them. All sorts are ascending, not stable, with the middle
// element as pivot (Hoare's partition), over the inclusive range [first, last];
// an empty or one-element range is left alone. The smaller side is sorted by
// recursion and the larger by iteration, so the stack stays O(log n) even on
// inputs that make the middle pivot degrade to O(n^2) time.
//
// The sorts for particular records are templates so that this layer includes nothing
// from mesh/ or commands/; each states the field it sorts by.

#include <concepts>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>

namespace velmora::geometry {

/// Sorts items[first..last] ascending by keyOf(item) (any type with operator<).
/// O(n log n) expected, no allocation.
template <class T, class KeyOf>
void quickSortByKey(std::span<T> items, int first, int last, KeyOf keyOf) {
  while (first < last) {
    const auto pivot = keyOf(items[static_cast<std::size_t>(first + (last - first) / 2)]);
    int i = first;
    int j = last;
    while (i <= j) {
      while (keyOf(items[static_cast<std::size_t>(i)]) < pivot) ++i;
      while (pivot < keyOf(items[static_cast<std::size_t>(j)])) --j;
      if (i <= j) {
        std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
        ++i;
        --j;
      }
    }
    if (j - first < last - i) {
      quickSortByKey(items, first, j, keyOf);
      first = i;
    } else {
      quickSortByKey(items, i, last, keyOf);
      last = j;
    }
  }
}

/// Bisection in items[first..last], sorted ascending by keyOf. Returns the index
/// of an entry whose key equals id; otherwise the insertion point clamped into
/// [first, last] so that the caller can read the entry and compare its key.
/// Returns -1 for an empty range. O(log n).
template <class T, class Id, class KeyOf>
int bisectByKey(std::span<T> items, const Id& id, int first, int last, KeyOf keyOf) {
  if (first > last) return -1;
  const int lastIndex = last;
  while (first <= last) {
    const int mid = first + (last - first) / 2;
    const auto key = keyOf(items[static_cast<std::size_t>(mid)]);
    if (key == id) return mid;
    if (key < id) {
      first = mid + 1;
    } else {
      last = mid - 1;
    }
  }
  return first > lastIndex ? lastIndex : first;
}

/// Sorts 32-bit integers values[first..last] ascending.
void sortIntegerValues(std::span<std::int32_t> values, int first, int last);

/// Sorts crossing records (four 8-byte fields, the first a double `x`) by x.
template <class R>
  requires requires(const R& r) { { r.x } -> std::convertible_to<double>; }
void sortXCrossList(std::span<R> list, int first, int last) {
  quickSortByKey(list, first, last, [](const R& r) { return static_cast<double>(r.x); });
}

/// Sorts pointers to value records by their float `valueAfter`.
template <class W>
  requires requires(const W* w) { { w->valueAfter } -> std::convertible_to<float>; }
void sortWeightStcsListByValue(std::span<W*> list, int first, int last) {
  quickSortByKey(list, first, last, [](const W* w) { return static_cast<float>(w->valueAfter); });
}

/// A point id as the unsigned 64-bit key the point lists are sorted by: an integer id
/// as it is, a host handle (a pointer) by its address.
template <class Id>
  requires std::is_pointer_v<Id> || std::is_integral_v<Id>
std::uint64_t pointIdKey(Id id) {
  if constexpr (std::is_pointer_v<Id>) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(id));
  } else {
    return static_cast<std::uint64_t>(id);
  }
}

/// Sorts pointers to point records by their `pointId` (pointIdKey).
template <class P>
  requires requires(const P* p) { pointIdKey(p->pointId); }
void sortPntUserDataList(std::span<P*> list, int first, int last) {
  quickSortByKey(list, first, last, [](const P* p) { return pointIdKey(p->pointId); });
}

/// Same as sortPntUserDataList, for the point records of the surface copy.
template <class P>
void sortBgPntUserDataList(std::span<P*> list, int first, int last) {
  sortPntUserDataList(list, first, last);
}

/// Looks up pointId in a list sorted by sortPntUserDataList, as bisectByKey
/// (the caller checks the id of the entry at the returned index).
template <class P, class Id>
  requires requires(const P* p, Id id) { pointIdKey(p->pointId); pointIdKey(id); }
int getIndexAtPntUserDataList(std::span<P* const> list, Id pointId, int first, int last) {
  return bisectByKey(list, pointIdKey(pointId), first, last, [](const P* p) { return pointIdKey(p->pointId); });
}
template <class P, class Id>
int getIndexAtPntUserDataList(std::span<P*> list, Id pointId, int first, int last) {
  return getIndexAtPntUserDataList(std::span<P* const>(list), pointId, first, last);
}

/// Same as getIndexAtPntUserDataList, for the surface copy.
template <class P, class Id>
int getIndexAtBgPntUserDataList(std::span<P* const> list, Id pointId, int first, int last) {
  return getIndexAtPntUserDataList(list, pointId, first, last);
}
template <class P, class Id>
int getIndexAtBgPntUserDataList(std::span<P*> list, Id pointId, int first, int last) {
  return getIndexAtPntUserDataList(std::span<P* const>(list), pointId, first, last);
}

/// Sorts pointers to bind bone records by their 32-bit `duplicateIndex`.
template <class B>
  requires requires(const B* b) { { b->duplicateIndex } -> std::convertible_to<std::int32_t>; }
void sortSameNameWMapsByIndicies(std::span<B*> list, int first, int last) {
  quickSortByKey(list, first, last,
                 [](const B* b) { return static_cast<std::int32_t>(b->duplicateIndex); });
}

}  // namespace velmora::geometry

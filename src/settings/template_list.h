// The user's copy templates, as the template field's drop-down list shows them: sorted, and with no
// two entries the list's order holds equal. Kept in this order so that the list box only mirrors it
// and the stored list comes out the same however it was edited.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class TemplateList {
 public:
  // The order of a sorted list box: below, at or above zero as `a` comes before, with or after `b`.
  using Order = int (*)(const char* a, const char* b);
  explicit TemplateList(Order order) : order_(order) {}

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const std::string& operator[](std::size_t i) const { return entries_[i]; }
  const std::vector<std::string>& entries() const { return entries_; }

  // The index of the entry equal to `text`, or -1.
  int find(const char* text) const;
  // Inserts `text` where the order puts it and returns its index; -1 when an equal entry is there.
  int add(const char* text);
  // Removes the entry equal to `text` and returns the index it had, or -1.
  int remove(const char* text);
  void clear() { entries_.clear(); }

  // Adds every entry of a stored list of `size` bytes (entries ending in 0xFF, then a zero byte).
  void addStored(const char* data, std::size_t size);
  // The stored form of the list with its terminating zero. Empty entries, and those holding the end
  // byte, which the format cannot carry, are left out.
  std::string stored() const;

 private:
  // Where `text` is or would go, found the way a sorted list box finds it.
  std::size_t position(const char* text, bool* equal) const;

  Order order_;
  std::vector<std::string> entries_;
};

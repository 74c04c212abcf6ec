#include "settings/template_list.h"

#include <algorithm>
#include <utility>

#include "settings/settings_text.h"

std::size_t TemplateList::position(const char* text, bool* equal) const {
  std::size_t low = 0, high = entries_.size();
  *equal = false;
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    const int sign = order_(text, entries_[middle].c_str());
    if (sign == 0) {
      *equal = true;
      return middle;
    }
    if (sign < 0) high = middle;
    else low = middle + 1;
  }
  return high;
}

int TemplateList::find(const char* text) const {
  bool equal;
  const std::size_t at = position(text, &equal);
  return equal ? static_cast<int>(at) : -1;
}

int TemplateList::add(const char* text) {
  bool equal;
  const std::size_t at = position(text, &equal);
  if (equal) return -1;
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), text);
  return static_cast<int>(at);
}

int TemplateList::remove(const char* text) {
  const int at = find(text);
  if (at >= 0) entries_.erase(entries_.begin() + at);
  return at;
}

void TemplateList::addStored(const char* data, std::size_t size) {
  const std::size_t length = listTextLength(data, size);
  std::size_t pos = 0;
  char entry[kTemplateEntryMax + 1];
  std::vector<std::string> all = entries_;
  while (nextTemplateEntry(data, length, &pos, entry)) all.emplace_back(entry);
  // Sorted at once: inserted one by one, a stored list of many thousand entries would take seconds.
  // The stable sort keeps the first of equal entries first, the one kept, as adding them in turn does.
  const Order order = order_;
  std::stable_sort(all.begin(), all.end(),
                   [order](const std::string& a, const std::string& b) { return order(a.c_str(), b.c_str()) < 0; });
  all.erase(std::unique(all.begin(), all.end(),
                        [order](const std::string& a, const std::string& b) {
                          return order(a.c_str(), b.c_str()) == 0;
                        }),
            all.end());
  entries_ = std::move(all);
}

std::string TemplateList::stored() const {
  std::size_t room = 1;
  for (const std::string& e : entries_) room += e.size() + 1;
  std::string block(room, '\0');
  PackedList list = {&block[0], room, 0};
  beginTemplateList(&list);
  for (const std::string& e : entries_) addTemplateEntry(&list, e.c_str());
  block.resize(packedSize(list));
  return block;
}

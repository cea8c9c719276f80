// The framework's ordered list of strings, indexed from 0.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class CStringArray {
 public:
  std::size_t GetSize() const { return items_.size(); }
  const std::string& GetAt(std::size_t index) const { return items_.at(index); }
  const std::string& operator[](std::size_t index) const { return items_.at(index); }
  void Add(std::string item) { items_.push_back(std::move(item)); }
  void InsertAt(std::size_t index, std::string item) {
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  }
  void RemoveAll() { items_.clear(); }

  const std::vector<std::string>& items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

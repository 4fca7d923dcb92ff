#pragma once

#include <memory>
#include <string>
#include <vector>

class TDefBase;

// Every element of the loaded design, in the order loading created them; owns them.
class TDefinedArray {
public:
    TDefinedArray();
    ~TDefinedArray();
    TDefinedArray(const TDefinedArray&) = delete;
    TDefinedArray& operator=(const TDefinedArray&) = delete;

    // Takes ownership and sets the element's index to its position.
    TDefBase* Add(TDefBase* element);
    // Destroys the last element (a report area's dropped picture).
    void RemoveLast();
    size_t Count() const { return elements.size(); }
    TDefBase* At(size_t i) const { return elements[i].get(); }
    // Whether this very element is in the array, where its index says.
    bool Holds(const TDefBase* element) const;
    // The first element in array order whose title is exactly this (letter case included); null
    // when none has it.
    TDefBase* FindTitled(const std::string& title) const;
    void Clear();

    auto begin() const { return elements.begin(); }
    auto end() const { return elements.end(); }

private:
    std::vector<std::unique_ptr<TDefBase>> elements;
};

#pragma once

#include <cstdint>
#include <vector>

class TDefBase;
class TDefinedArray;

// Adds uses to the elements' used-by sets. While collecting, uses between elements of the array
// wait, and Finish adds them element by element: the same sets in the same order, without
// jumping between a million sets.
class TUseCollector {
public:
    explicit TUseCollector(const TDefinedArray& defs) : defs(defs) {}

    void Start();
    // Adds at once when not collecting, or when either element is outside the array.
    void Use(TDefBase& element, TDefBase* user);
    // Adds what was collected and stops collecting.
    void Finish();

private:
    // A use, by positions in the definition array.
    struct PendingUse {
        uint32_t element;
        uint32_t user;
    };

    const TDefinedArray& defs;
    bool collecting = false;
    std::vector<PendingUse> pending;
};

#pragma once

class TDefBase;

// Where a reader puts an element that scripts and field types can name. The name table, a layer
// above the model, implements it: it appends the element to the definition array (which owns it)
// and indexes it by name.
class TNamedElements {
public:
    virtual TDefBase* Add(TDefBase* element) = 0;

protected:
    ~TNamedElements() = default;
};

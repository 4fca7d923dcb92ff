#pragma once

// The program's compiled-in resource: its icons and help pages. The resource lives in a static
// library, whose linker drops it unless something names it; every user calls Init first.
class TResources {
public:
    // Registers the resource; later calls do nothing.
    static void Init();
};

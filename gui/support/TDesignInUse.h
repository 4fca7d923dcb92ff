#pragma once

// Marks a job that keeps the events going while it reads the loaded design (the web export and
// its progress dialog, a reload reopening its windows beside the thread that writes the units):
// for as long as one lives, the design must not be replaced.
class TDesignInUse {
public:
    TDesignInUse() { ++count; }
    ~TDesignInUse() { --count; }
    TDesignInUse(const TDesignInUse&) = delete;
    TDesignInUse& operator=(const TDesignInUse&) = delete;

    static bool Now() { return count > 0; }

private:
    static inline int count = 0;
};

#pragma once

// What the main frame asks of the active child's pane: whether it answers a command, whether the
// command is enabled, and running it there. A command the pane does not answer falls to the main
// frame's own handling. Definition panes, the index, the used-by lists, the messages and the
// diagrams implement it.
class TPane {
public:
    enum TCommand { Copy, Definition, UsedBy, Relationships, Structure, Index, FocusedDiagram };

    virtual ~TPane() = default;
    virtual bool Answers(TCommand) const { return true; }
    virtual bool Enabled(TCommand command) const = 0;
    virtual void Run(TCommand command) = 0;
};

// Program Manager as the removal talks to it: one DDE conversation that carries a list of
// command texts.
#pragma once

#include <string>
#include <vector>

class ProgramManager {
public:
    virtual ~ProgramManager() = default;

    // Connects, sends the commands in order (each only after the previous one was accepted)
    // and disconnects. True when the connection was made and every command was accepted.
    virtual bool Execute(const std::vector<std::string>& commands) = 0;
};

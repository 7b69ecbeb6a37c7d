// What loading or saving has to tell the user, handed back to the shell, which shows each
// message in a box of its own: the layers that read and write files show nothing
// themselves.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tavoli {

struct Report {
    std::vector<std::string> messages;

    // An empty text says nothing.
    void Tell(std::string message) {
        if (!message.empty()) messages.push_back(std::move(message));
    }
    void Take(Report&& other) {
        for (std::string& message : other.messages) messages.push_back(std::move(message));
        other.messages.clear();
    }
};

}  // namespace tavoli

#pragma once

#include "audio/mci_device.h"

#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// An MCI stand-in that answers each command string from a script and keeps
// every command it was sent. Commands the script does not know succeed with
// an empty reply.
class ScriptedMciDevice : public MciDevice
{
public:
    struct Answer
    {
        uint32_t error = 0;
        std::string reply;
    };

    // Scripts a drive holding a disc with these track lengths.
    void insertDisc(const std::vector<uint32_t> &lengths)
    {
        answers["status cd media present"] = {0, "true\r\n"};
        answers["status cd number of tracks wait"] = {0, std::to_string(lengths.size())};
        for (size_t track = 0; track < lengths.size(); ++track)
            answers["status cd length track " + std::to_string(track + 1)] = {
                0, std::to_string(lengths[track])};
    }

    uint32_t sendString(const std::string &command, std::string &reply) override
    {
        commands.push_back(command);
        if (command == throwOn)
            throw std::runtime_error("scripted failure");
        auto &next = queued[command];
        if (!next.empty()) {
            reply = next.front().reply;
            const uint32_t error = next.front().error;
            next.pop_front();
            return error;
        }
        const auto found = answers.find(command);
        if (found == answers.end()) {
            reply.clear();
            return 0;
        }
        reply = found->second.reply;
        return found->second.error;
    }

    std::string errorText(uint32_t error) override
    {
        return "scripted error " + std::to_string(error);
    }

    std::map<std::string, Answer> answers;
    // Answers given once each, in order, before those of `answers`.
    std::map<std::string, std::deque<Answer>> queued;
    std::vector<std::string> commands;
    std::string throwOn;
};

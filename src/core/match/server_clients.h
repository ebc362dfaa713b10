#pragma once
// The clients a server log names by number, as its lines make them known: the
// log parser and the server view both follow them.

#include "core/match/game_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

// What every reader of a server log keeps of a client.
struct ServerClient {
    std::string name; // in the reader's own form (shown, or with colour codes)
    Team team = Team::Unknown;
    bool named = false; // his userinfo, or a line naming him, has been read
    bool bot = false;   // his connect line had no address
};

// Every client number has its place from the start, so that one line may hold
// on to two clients at once. `Client` is a ServerClient with whatever else the
// reader keeps.
template <class Client> class ServerClients {
public:
    // Client numbers of a server are small; a larger one is no client line.
    static constexpr std::int32_t kLimit = 1024;

    // nullptr for a number no client can have.
    Client* operator[](std::int32_t number) {
        if (number < 0 || number >= kLimit)
            return nullptr;
        return &clients_[static_cast<std::size_t>(number)];
    }

    std::int32_t numberOf(const Client& c) const {
        return static_cast<std::int32_t>(&c - clients_.data());
    }

    // A disconnect: the number is free for the next client.
    void forget(Client& c) { c = Client{}; }

    // The team of the named client called `name`; Unknown for none.
    Team teamOf(std::string_view name) const {
        for (const Client& c : clients_)
            if (c.named && c.name == name)
                return c.team;
        return Team::Unknown;
    }

private:
    std::vector<Client> clients_ = std::vector<Client>(static_cast<std::size_t>(kLimit));
};

} // namespace quorvath

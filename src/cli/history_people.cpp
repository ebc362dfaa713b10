#include "cli/history_people.h"

#include "cli/cli_options.h"
#include "cli/history_options.h"
#include "cli/table_output.h"
#include "core/history/history_queries.h"
#include "core/history/history_totals.h"

#include <cstdio>
#include <ctime>
#include <memory>

namespace quorvath::cli {

namespace {

// The people of the selected matches, linked.
HistoryError countPeople(HistoryStore& store, const HistorySelection& selection,
                         std::vector<Person>& people) {
    PlayerTable players;
    CountingScope scope;
    std::vector<NameActivity> activity;
    if (auto error = countSelection(store, selection, players, scope, activity))
        return error;
    people = peopleOf(players, activity);
    return std::nullopt;
}

std::string joined(const std::vector<std::string>& items, std::size_t from, const char* between) {
    std::string out;
    for (std::size_t i = from; i < items.size(); ++i)
        out += (i > from ? between : "") + items[i];
    return out;
}

Table peopleTable(const std::vector<Person>& people) {
    Table table{{"name", "aliases", "guids", "matches", "kills", "deaths", "first_seen",
                 "last_seen", "bot"},
                {false, false, false, true, true, true, false, false, false},
                {}};
    for (const Person& p : people)
        table.rows.push_back({p.names.front(), joined(p.names, 1, " / "), joined(p.guids, 0, " "),
                              std::to_string(p.matches), std::to_string(p.kills),
                              std::to_string(p.deaths), dateText(p.firstSeen), dateText(p.lastSeen),
                              p.bot ? "bot" : ""});
    return table;
}

Table decisionsTable(const std::vector<PeopleDecision>& decisions) {
    Table table{
        {"id", "made", "decision", "name", "other"}, {true, false, false, false, false}, {}};
    for (const PeopleDecision& d : decisions)
        table.rows.push_back({std::to_string(d.id), dateText(d.madeAt),
                              d.kind == PeopleDecision::Kind::Merge ? "merge" : "split", d.name,
                              d.other});
    return table;
}

int printed(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitFailed;
}

int listPeople(const std::string& database, const SelectionArgs& args) {
    const OutputOptions& output = args.output;
    HistorySelection selection;
    const Encoding encoding = output.encoding.value_or(localeEncoding());
    if (!readSelection(args, encoding, selection))
        return kExitUsage;
    const std::unique_ptr<HistoryStore> store = openExistingHistory(database);
    std::vector<Person> people;
    if (!store)
        return kExitFailed;
    if (auto error = countPeople(*store, selection, people))
        return said(*error, kExitFailed);
    return printed(tableText(peopleTable(people), output.format, encoding));
}

int listDecisions(const std::string& database, const SelectionArgs& args) {
    const OutputOptions& output = args.output;
    const std::unique_ptr<HistoryStore> store = openExistingHistory(database);
    std::vector<PeopleDecision> decisions;
    if (!store)
        return kExitFailed;
    if (auto error = store->readDecisions(decisions))
        return said(*error, kExitFailed);
    return printed(tableText(decisionsTable(decisions), output.format,
                             output.encoding.value_or(localeEncoding())));
}

// A merge or a split of names the history knows (typed as `typed`).
int decide(const std::string& database, PeopleDecision decision,
           const std::vector<std::string>& typed, std::optional<Encoding> typedIn) {
    const Encoding encoding = typedIn.value_or(localeEncoding());
    decision.name = nameFromCommandLine(typed[0], encoding);
    if (decision.kind == PeopleDecision::Kind::Merge) {
        decision.other = nameFromCommandLine(typed[1], encoding);
        if (decision.other == decision.name)
            return said("a name is one person with itself already; see --help", kExitUsage);
    }
    const std::unique_ptr<HistoryStore> store = openExistingHistory(database);
    if (!store)
        return kExitFailed;
    PlayerTable players;
    CountingScope scope;
    std::vector<NameActivity> activity;
    if (auto error = countSelection(*store, {}, players, scope, activity))
        return said(*error, kExitFailed);
    for (std::size_t i = 0; i < typed.size(); ++i)
        if (players.findByName(i == 0 ? decision.name : decision.other) == 0)
            return said("no player of the history is named \"" + typed[i] + "\"", kExitFailed);
    decision.madeAt = static_cast<std::int64_t>(std::time(nullptr));
    if (auto error = store->addDecision(decision))
        return said(*error, kExitFailed);
    const std::string id = std::to_string(decision.id);
    const std::string what = decision.kind == PeopleDecision::Kind::Merge
                                 ? "\"" + typed[0] + "\" and \"" + typed[1] + "\" are one person"
                                 : "\"" + typed[0] + "\" stands alone";
    return printed(what + " (decision " + id + "; history forget " + id + " undoes it)\n");
}

int forget(const std::string& database, std::int64_t id) {
    const std::unique_ptr<HistoryStore> store = openExistingHistory(database);
    bool forgotten = false;
    if (!store)
        return kExitFailed;
    if (auto error = store->forgetDecision(id, forgotten))
        return said(*error, kExitFailed);
    if (!forgotten)
        return said("there is no decision " + std::to_string(id) + "; see history decisions",
                    kExitFailed);
    return printed("decision " + std::to_string(id) + " forgotten\n");
}

// The state each subcommand's options fill, kept until parsing ends.
struct PeopleArgs {
    SelectionArgs people, decisions;
    std::vector<std::string> merged{2}; // NAME, OTHER
    std::string split;
    std::optional<Encoding> mergeEncoding, splitEncoding;
    std::int64_t forgotten = 0;
};

} // namespace

void addPeopleCommands(CLI::App& app, std::string& database, int& status) {
    auto args = std::make_shared<PeopleArgs>();
    const auto sub = [&](const char* name, const char* help, auto run) {
        CLI::App* command = app.add_subcommand(name, help);
        addDatabaseOption(*command, database);
        command->callback([&database, &status, run] { status = run(database); });
        return command;
    };
    auto* people =
        sub("people", "lists each person: names, GUIDs, matches, kills, first and last seen",
            [args](const std::string& db) { return listPeople(db, args->people); });
    addSelectionOptions(*people, args->people);
    addOutputOptions(*people, args->people.output);

    auto* merge = sub("merge", "makes the two names one person, until forgotten",
                      [args](const std::string& db) {
                          return decide(db, {0, PeopleDecision::Kind::Merge, {}, {}, 0},
                                        args->merged, args->mergeEncoding);
                      });
    merge->add_option("NAME", args->merged[0], "a name the history knows")->required();
    merge->add_option("OTHER", args->merged[1], "another name the history knows")->required();
    addEncodingOption(*merge, args->mergeEncoding, "how the names are typed");

    auto* split = sub("split", "makes the name a person of its own, until forgotten",
                      [args](const std::string& db) {
                          return decide(db, {0, PeopleDecision::Kind::Split, {}, {}, 0},
                                        {args->split}, args->splitEncoding);
                      });
    split->add_option("NAME", args->split, "a name the history knows")->required();
    addEncodingOption(*split, args->splitEncoding, "how the name is typed");

    auto* decisions =
        sub("decisions", "lists the merges and splits made, with their ids",
            [args](const std::string& db) { return listDecisions(db, args->decisions); });
    addOutputOptions(*decisions, args->decisions.output);

    auto* forgetting = sub("forget", "undoes the merge or split of that id",
                           [args](const std::string& db) { return forget(db, args->forgotten); });
    forgetting->add_option("ID", args->forgotten, "as history decisions lists it")->required();
    people->footer("A person is the names that renames, one GUID (server logs) and merges "
                   "link,\nless the names split off; his first name is the one seen first.");
    for (CLI::App* command : {merge, split})
        command->footer("Merges and splits are kept apart from the imported matches: they "
                        "survive\nre-imports, and history forget ID undoes one.");
}

} // namespace quorvath::cli

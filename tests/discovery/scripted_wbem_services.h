#pragma once

#include "discovery/wbem_services.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// A COM and WBEM stand-in that answers from a script and records every call,
// so that tests see the exact calls and query texts the client makes.
class ScriptedWbemServices : public WbemServices
{
public:
    using Row = std::map<std::string, WbemValue>;

    struct Query
    {
        int32_t execResult = 0;
        std::vector<Row> rows;
        // The code of the first fetch; by default success with a row, or
        // WBEM_S_FALSE when there are none.
        std::optional<int32_t> firstNextResult;
    };

    static WbemValue text(std::string value) { return {8, false, std::move(value), 0}; }
    static WbemValue integer(int32_t value) { return {3, false, {}, value}; }

    // Adds a query answered with one string property per row.
    void answer(const std::string &query, const std::string &property,
                const std::vector<std::string> &values);

    int32_t initializeCom() override;
    void uninitializeCom() override;
    int32_t initializeSecurity() override;
    int32_t createLocator() override;
    void releaseLocator() override;
    int32_t connectServer(const std::u16string &path) override;
    void releaseServices() override;
    int32_t setProxyBlanket() override;
    int32_t execQuery(const std::u16string &language, const std::u16string &query,
                      int32_t flags) override;
    void releaseEnumerator() override;
    int32_t next(int32_t timeout, uint32_t &returned) override;
    void releaseCurrent() override;
    int32_t get(const std::u16string &name, WbemValue &value) override;
    std::u16string toWide(std::string_view ansi) const override;

    // The queries run, in order, as 8-bit text.
    std::vector<std::string> queriesRun() const;
    // Interfaces handed out and not released.
    int held() const { return m_held; }

    int32_t comResult = 0;
    int32_t securityResult = 0;
    int32_t locatorResult = 0;
    int32_t connectResult = 0;
    int32_t blanketResult = 0;
    int32_t getResult = 0;
    std::map<std::string, Query> queries;
    // Every call, by name, with its argument where it has one.
    std::vector<std::string> calls;
    int releasedTwice = 0;

private:
    void take(bool &slot);
    void give(bool &slot);

    bool m_locator = false;
    bool m_services = false;
    bool m_enumerator = false;
    bool m_current = false;
    int m_held = 0;
    const Query *m_query = nullptr;
    size_t m_nextRow = 0;
    size_t m_currentRow = 0;
};

#include "tests/discovery/scripted_wbem_services.h"

namespace {

std::string narrow(const std::u16string &text)
{
    return std::string(text.begin(), text.end());
}

} // namespace

void ScriptedWbemServices::answer(const std::string &query, const std::string &property,
                                  const std::vector<std::string> &values)
{
    Query &q = queries[query];
    for (const auto &value : values)
        q.rows.push_back({{property, text(value)}});
}

int32_t ScriptedWbemServices::initializeCom()
{
    calls.push_back("CoInitializeEx");
    return comResult;
}

void ScriptedWbemServices::uninitializeCom()
{
    calls.push_back("CoUninitialize");
}

int32_t ScriptedWbemServices::initializeSecurity()
{
    calls.push_back("CoInitializeSecurity");
    return securityResult;
}

int32_t ScriptedWbemServices::createLocator()
{
    calls.push_back("CoCreateInstance");
    if (locatorResult >= 0)
        take(m_locator);
    return locatorResult;
}

void ScriptedWbemServices::releaseLocator()
{
    give(m_locator);
}

int32_t ScriptedWbemServices::connectServer(const std::u16string &path)
{
    calls.push_back("ConnectServer " + narrow(path));
    if (connectResult >= 0)
        take(m_services);
    return connectResult;
}

void ScriptedWbemServices::releaseServices()
{
    give(m_services);
}

int32_t ScriptedWbemServices::setProxyBlanket()
{
    calls.push_back("CoSetProxyBlanket");
    return blanketResult;
}

int32_t ScriptedWbemServices::execQuery(const std::u16string &language, const std::u16string &query,
                                        int32_t flags)
{
    calls.push_back("ExecQuery " + narrow(language) + " " + std::to_string(flags) + " " +
                    narrow(query));
    const auto found = queries.find(narrow(query));
    // A query the script does not know finds nothing, as an association
    // of an object that is not there.
    static const Query empty;
    m_query = found == queries.end() ? &empty : &found->second;
    if (m_query->execResult < 0)
        return m_query->execResult;
    take(m_enumerator);
    m_nextRow = 0;
    return m_query->execResult;
}

void ScriptedWbemServices::releaseEnumerator()
{
    give(m_enumerator);
}

int32_t ScriptedWbemServices::next(int32_t timeout, uint32_t &returned)
{
    calls.push_back("Next " + std::to_string(timeout));
    returned = 0;
    if (m_nextRow == 0 && m_query->firstNextResult) {
        ++m_nextRow;
        return *m_query->firstNextResult;
    }
    if (m_nextRow >= m_query->rows.size())
        return 1;
    m_currentRow = m_nextRow++;
    take(m_current);
    returned = 1;
    return 0;
}

void ScriptedWbemServices::releaseCurrent()
{
    give(m_current);
}

int32_t ScriptedWbemServices::get(const std::u16string &name, WbemValue &value)
{
    calls.push_back("Get " + narrow(name));
    value = WbemValue{};
    if (getResult < 0)
        return getResult;
    const Row &row = m_query->rows.at(m_currentRow);
    const auto found = row.find(narrow(name));
    if (found == row.end())
        return static_cast<int32_t>(0x80041002);
    value = found->second;
    return 0;
}

std::u16string ScriptedWbemServices::toWide(std::string_view ansi) const
{
    return std::u16string(ansi.begin(), ansi.end());
}

std::vector<std::string> ScriptedWbemServices::queriesRun() const
{
    std::vector<std::string> run;
    const std::string prefix = "ExecQuery WQL 48 ";
    for (const auto &call : calls)
        if (call.starts_with(prefix))
            run.push_back(call.substr(prefix.size()));
    return run;
}

void ScriptedWbemServices::take(bool &slot)
{
    // A second interface in a slot that still holds one would leak the first.
    if (slot)
        calls.push_back("leak");
    slot = true;
    ++m_held;
}

void ScriptedWbemServices::give(bool &slot)
{
    if (!slot) {
        ++releasedTwice;
        return;
    }
    slot = false;
    --m_held;
}

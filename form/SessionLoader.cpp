#include "form/SessionLoader.h"

namespace eee {

SessionLoader::SessionLoader(IDataSource& data, const std::optional<SessionRecord>& defaults)
    : m_data(data)
    , m_model(m_data, m_view, m_chart)
{
    m_model.Fields().OpenLog(&m_startupMessages);
    m_model.Startup(defaults);
    m_model.Fields().OpenLog(nullptr);
    m_startState = m_model.State();
    m_startChart = m_chart;
}

LoadOutcome SessionLoader::Load(const std::string& fullPath)
{
    m_model.State() = m_startState;
    m_chart = m_startChart;
    return m_model.Sessions().LoadFile(fullPath);
}

std::optional<EvalConfig> SessionLoader::FormConfig()
{
    if (!m_model.ReadForm())
        return std::nullopt;
    EvalConfig config = m_model.Calc().CurrentConfig();
    config.BlockCount = m_model.GetBlockCount();
    return config;
}

} // namespace eee

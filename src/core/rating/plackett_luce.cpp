#include "core/rating/plackett_luce.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quorvath {
namespace {

struct TeamSkill {
    double mu = 0.0;
    double sigmaSq = 0.0;
};

TeamSkill skillOf(const RatedTeam& team) {
    TeamSkill skill;
    for (const Rating& r : team) {
        skill.mu += r.mu;
        skill.sigmaSq += r.sigma * r.sigma;
    }
    return skill;
}

} // namespace

std::vector<RatedTeam> rateGame(std::vector<RatedTeam> teams, const std::vector<double>& ranks,
                                const RatingModel& model) {
    if (model.driftBeforeGame)
        for (RatedTeam& team : teams)
            for (Rating& r : team)
                r.sigma = std::sqrt(r.sigma * r.sigma + model.tau * model.tau);
    const std::size_t n = teams.size();
    std::vector<TeamSkill> skills(n);
    double cSq = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        skills[i] = skillOf(teams[i]);
        cSq += skills[i].sigmaSq + model.beta * model.beta;
    }
    const double c = std::sqrt(cSq);
    // exp(mu / c) scaled by the largest, so big teams cannot overflow it
    double top = 0.0;
    for (const TeamSkill& s : skills)
        top = std::max(top, s.mu / c);
    std::vector<double> strength(n), below(n, 0.0), tied(n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        strength[i] = std::exp(skills[i].mu / c - top);
    for (std::size_t q = 0; q < n; ++q)
        for (std::size_t s = 0; s < n; ++s) {
            if (ranks[s] >= ranks[q])
                below[q] += strength[s];
            if (ranks[s] == ranks[q])
                tied[q] += 1.0;
        }
    std::vector<RatedTeam> rated = teams;
    for (std::size_t i = 0; i < n; ++i) {
        double omega = 0.0;
        double delta = 0.0;
        for (std::size_t q = 0; q < n; ++q) {
            if (ranks[q] > ranks[i])
                continue;
            const double p = strength[i] / below[q];
            omega += ((q == i ? 1.0 : 0.0) - p) / tied[q];
            delta += p * (1.0 - p) / tied[q];
        }
        const double sigmaSq = skills[i].sigmaSq;
        omega *= sigmaSq / c;
        delta *= std::sqrt(sigmaSq) / c * sigmaSq / cSq;
        for (Rating& r : rated[i]) {
            const double share = r.sigma * r.sigma / sigmaSq;
            r.mu += share * omega;
            r.sigma *= std::sqrt(std::max(1.0 - share * delta, model.kappa));
        }
    }
    return rated;
}

} // namespace quorvath

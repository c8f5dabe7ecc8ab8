#include "tools/sim/scene_dump.h"

#include <cinttypes>
#include <cstdio>

namespace nuvrel {

namespace {

class JsonWriter {
  public:
    void Raw(const char* text) { out_ += text; }

    void Number(float value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
        out_ += buffer;
    }

    void Triple(float a, float b, float c) {
        Raw("[");
        Number(a);
        Raw(",");
        Number(b);
        Raw(",");
        Number(c);
        Raw("]");
    }

    void Point(const Vec3& v) { Triple(v.x, v.y, v.z); }

    // Writes a separator before every element but the first.
    void Separator(bool first) {
        if (!first) {
            Raw(",");
        }
    }

    std::string Take() { return std::move(out_); }

  private:
    std::string out_;
};

void WriteFunnel(JsonWriter& json, const Funnel& funnel) {
    json.Raw("{\"points\":[");
    for (int i = 0; i < AxisPointCount; ++i) {
        json.Separator(i == 0);
        json.Point(funnel.points[i]);
    }
    json.Raw("],\"radii\":[");
    for (int i = 0; i < AxisPointCount; ++i) {
        json.Separator(i == 0);
        json.Number(funnel.radii[i]);
    }
    json.Raw("],\"colour\":");
    json.Triple(funnel.colour.hue, funnel.colour.saturation, funnel.colour.value);
    json.Raw("}");
}

void WriteParticle(JsonWriter& json, const Particle& particle) {
    json.Raw("{\"curve_param\":");
    json.Number(particle.CurveParam);
    json.Raw(",\"orbit_factor\":");
    json.Number(particle.OrbitFactor);
    json.Raw(",\"orbit_angle\":");
    json.Number(particle.OrbitAngle);
    json.Raw(",\"rgb\":");
    json.Triple(particle.Rgb.red, particle.Rgb.green, particle.Rgb.blue);
    json.Raw(",\"position\":");
    json.Point(particle.Position);
    json.Raw("}");
}

}  // namespace

std::string SceneDumpJson(const VortexScene& scene, std::uint32_t seed, std::int64_t frames) {
    JsonWriter json;
    char header[128];
    std::snprintf(header, sizeof header,
                  "{\"seed\":%" PRIu32 ",\"frames\":%" PRId64 ",\"random_state\":%" PRIu32
                  ",\"view\":\"%s\",\"funnels\":[",
                  seed, frames, scene.random.state, scene.view == View::Top ? "top" : "side");
    json.Raw(header);
    bool first = true;
    for (const Funnel& funnel : scene.FunnelTable) {
        json.Separator(first);
        first = false;
        WriteFunnel(json, funnel);
    }
    json.Raw("],\"particles\":[");
    first = true;
    for (const Particle& particle : scene.ParticleTable) {
        json.Separator(first);
        first = false;
        WriteParticle(json, particle);
    }
    json.Raw("]}\n");
    return json.Take();
}

}  // namespace nuvrel

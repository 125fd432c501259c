#include "dsp/GlideRamp.h"

#include <cmath>

bool GlideRamp::IsFinite() const {
  return std::isfinite(start + target + duration + elapsed + velocity + value);
}

void GlideRamp::Start(double from, double to, double newDuration, double newAccelTime) {
  elapsed = 0.0;
  duration = 0.0;
  target = to;
  if (!(newDuration > 0.0)) {
    // Zero-length ramp: the next Step turns it idle at the target.
    start = to;
    value = to;
    return;
  }
  direction = 1.0;
  start = from;
  invDuration = 1.0 / newDuration;
  value = from;
  duration = newDuration;
  accelTime = newAccelTime;

  double distance = to - from;
  if (distance < 0.0) {
    direction = -1.0;
    distance = -distance;
  }
  if (accelTime > 0.0) {
    if (accelTime > duration / 2.0) accelTime = duration / 2.0;
    accel = distance / ((duration - accelTime) * accelTime);
    accelDistance = accel * (accelTime * accelTime) / 2.0;
    velocity = accel * accelTime;
    decelDistance = (duration - 2.0 * accelTime) * velocity + accelDistance;
  } else {
    velocity = distance / duration;
    accel = 0.0;
  }
  elapsed = 0.0;
}

void GlideRamp::Advance(double dt) {
  elapsed += dt;
  if (elapsed > duration) {
    duration = -1.0;
    value = target;
    return;
  }
  if (accelTime > 0.0) {
    if (elapsed < accelTime) {
      value = start + direction * accel / 2.0 * (elapsed * elapsed);
    } else if (elapsed < duration - accelTime) {
      value = start + direction * ((elapsed - accelTime) * velocity + accelDistance);
    } else {
      const double tau = elapsed - duration + accelTime;
      value = start + direction * ((velocity - accel / 2.0 * tau) * tau + decelDistance);
    }
  } else {
    value = start + direction * elapsed * velocity;
  }
}

#include "frequency_sets.h"

FrequencySet FillHigherSet() {
  return {
      {433.23, 433.30, 433.45, 433.55, 433.68, 433.83, 433.88, 434.055, 434.21, 434.35},
      {433.275, 433.355, 433.44, 433.54, 433.66, 433.81, 433.925, 434.055, 434.21, 434.345},
  };
}

FrequencySet FillLowerSet() {
  FrequencySet set = FillHigherSet();
  for (double& f : set.first) f -= 0.035;
  for (double& f : set.second) f -= 0.035;
  return set;
}

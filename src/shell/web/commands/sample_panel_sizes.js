// The sample panel's three heights; the button of the current one is disabled.

function sampleSize(name, label, menuLabel, size) {
  return {
    name,
    label,
    menuLabel,
    enabled: ({ view }) => view.sampleSize !== size,
    perform: ({ ui }) => ui.setSampleSize(size),
  };
}

export const hideSamples = sampleSize("hideSamples", "Hide", "Hide Samples", "hide");
export const mediumSamples = sampleSize("mediumSamples", "Medium", "Medium Sample Panel", "medium");
export const maximizeSamples = sampleSize(
  "maximizeSamples",
  "Maximize",
  "Maximize Sample Panel",
  "maximize",
);

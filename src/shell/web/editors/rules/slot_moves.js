// Moving a numbered slot to another place in the stacking order: the slots between shift by one
// to make room. fieldsOf(k) lists the names of slot k's fields, in the same order for every slot.
export function moveSlot(values, fieldsOf, from, to) {
  const step = from < to ? 1 : -1;
  const set = {};
  const place = (source, target) => {
    const names = fieldsOf(target);
    fieldsOf(source).forEach((name, i) => { set[names[i]] = values[name]; });
  };
  for (let k = from; k !== to; k += step) place(k + step, k);
  place(from, to);
  return set;
}

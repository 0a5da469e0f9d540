// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// A list to choose from (the towns found, an element file's objects) as a
// listbox with one Tab stop (WAI-ARIA Authoring Practices, "Listbox"):
// the arrow keys, Home and End move the active option, Enter or Space
// chooses it, a tap chooses at once. Focus stays on the list; the active
// option is its aria-activedescendant. A list that floats over what
// follows its field (style.css: its coming moves nothing) closes once a
// choice is made, at Escape, or when the focus leaves it and its field.

function activate(list, index) {
  const options = [...list.children];
  if (options.length === 0) return;
  const next = Math.max(0, Math.min(options.length - 1, index));
  for (const [i, option] of options.entries()) option.classList.toggle('active', i === next);
  list.setAttribute('aria-activedescendant', options[next].id);
  options[next].scrollIntoView({ block: 'nearest' });
}

const activeIndex = (list) => [...list.children].findIndex((option) => option.classList.contains('active'));

// items: what the options stand for; label(item): its text; choose(item):
// what choosing it does. The list shows only while it has options.
export function fillChoices(list, items, label, choose) {
  list.removeAttribute('aria-activedescendant');
  list.replaceChildren(...items.map((item, i) => {
    const option = document.createElement('li');
    option.setAttribute('role', 'option');
    option.setAttribute('aria-selected', 'false');
    option.id = `${list.id}-${i}`;
    option.textContent = label(item);
    option.addEventListener('click', () => {
      activate(list, i);
      pick(list, i);
    });
    return option;
  }));
  list.chosen = { items, choose };
  list.hidden = items.length === 0;
}

function pick(list, index) {
  const options = [...list.children];
  if (!list.chosen || index < 0 || index >= options.length) return;
  for (const [i, option] of options.entries()) option.setAttribute('aria-selected', String(i === index));
  list.chosen.choose(list.chosen.items[index]);
  if (!list.floating) return;
  list.hidden = true;
  if (list.field && document.activeElement === list) list.field.focus();
}

// The keys of a list; from the field that fills it, the down arrow enters it.
export function setUpChoices(list, field = null) {
  list.floating = Boolean(list.closest('.dropdown'));
  list.addEventListener('keydown', (event) => {
    const count = list.children.length;
    const now = activeIndex(list);
    const moves = { ArrowDown: now + 1, ArrowUp: now - 1, Home: 0, End: count - 1, PageDown: now + 5, PageUp: now - 5 };
    if (event.key in moves) {
      event.preventDefault();
      activate(list, now < 0 && event.key === 'ArrowUp' ? 0 : moves[event.key]);
    } else if (event.key === 'Enter' || event.key === ' ') {
      event.preventDefault();
      pick(list, now);
    } else if (event.key === 'Escape' && list.floating) {
      list.hidden = true;
      if (field) field.focus();
    }
  });
  list.field = field;
  if (list.floating) {
    // Focus gone from both the list and its field: the list closes.
    const away = (event) => {
      if (event.relatedTarget !== list && event.relatedTarget !== field) list.hidden = true;
    };
    list.addEventListener('focusout', away);
    if (field) field.addEventListener('focusout', away);
  }
  list.addEventListener('focus', () => activeIndex(list) < 0 && activate(list, 0));
  if (field) {
    field.addEventListener('keydown', (event) => {
      if (event.key !== 'ArrowDown' || list.hidden || list.children.length === 0) return;
      event.preventDefault();
      list.focus();
      activate(list, 0);
    });
  }
}
